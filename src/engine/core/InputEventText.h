#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// The texts the input path writes for every value, built without temporaries
// because they are formatted for each press and each release.

// "🎮 HID Event from target: page=0xc usage=0xe9 value=1"
[[nodiscard]] std::string hidEventLine(uint32_t usagePage, uint32_t usage, int64_t value);
// "❓ Unmapped button: page=0xc usage=0xe9 value=1"
[[nodiscard]] std::string unmappedButtonLine(uint32_t usagePage, uint32_t usage, int64_t value);
// "Unmapped: page=0xc usage=0xe9"
[[nodiscard]] std::string unmappedButtonEvent(uint32_t usagePage, uint32_t usage);

} // namespace bindwell
