// Any thread; no state of its own.
#pragma once

#include <string>
#include <string_view>

namespace bindwell {

// Lower-cases ASCII letters and leaves every other byte alone, so UTF-8 text
// keeps its non-ASCII characters intact.
[[nodiscard]] std::string toLowerAscii(std::string_view text);

[[nodiscard]] inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace bindwell
