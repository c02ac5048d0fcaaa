// Any thread; no state of its own.
#pragma once

#include <string>
#include <string_view>

namespace bindwell {

// Lower-cases ASCII letters and leaves every other byte alone, so UTF-8 text
// keeps its non-ASCII characters intact.
[[nodiscard]] std::string toLowerAscii(std::string_view text);

// Text from outside (device names, serials, window titles) made safe for a
// terminal or a log line: C0 controls, DEL and the C1 controls are written
// as "\x1b" and so on, so an escape sequence cannot restyle or re-title the
// terminal and a line break cannot split one line in two. Any other byte,
// UTF-8 included, is kept; the backslash itself is not escaped, since a
// reader only needs to tell that something was there.
[[nodiscard]] std::string escapeControls(std::string_view text);
// The same, appended to `out`, so a kept buffer needs no new allocation.
void appendEscapingControls(std::string& out, std::string_view text);

[[nodiscard]] inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace bindwell
