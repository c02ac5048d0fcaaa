// Any thread; no state of its own.
#pragma once

#include <string>
#include <string_view>

namespace bindwell {

// The symbol a device row shows, guessed from the device's name.
[[nodiscard]] std::string_view deviceSymbolName(const std::string& deviceName);

} // namespace bindwell
