// Any thread; constants.
#pragma once

#include <cstdint>

namespace bindwell {

// The HID usages the program names, in one place. Pages and usages are as
// the HID Usage Tables number them.
namespace hid {

inline constexpr uint32_t kGenericDesktopPage = 0x01;
inline constexpr uint32_t kKeyboardPage = 0x07;
inline constexpr uint32_t kButtonPage = 0x09;
inline constexpr uint32_t kConsumerPage = 0x0C;

// Generic desktop.
inline constexpr uint32_t kPointerX = 0x30;
inline constexpr uint32_t kPointerY = 0x31;
inline constexpr uint32_t kWheel = 0x38;

// Consumer control.
inline constexpr uint32_t kScanNextTrack = 0xB5;
inline constexpr uint32_t kScanPreviousTrack = 0xB6;
inline constexpr uint32_t kPlayPause = 0xCD;
inline constexpr uint32_t kMute = 0xE2;
inline constexpr uint32_t kVolumeUp = 0xE9;
inline constexpr uint32_t kVolumeDown = 0xEA;
inline constexpr uint32_t kHorizontalWheel = 0x238; // AC Pan

// Keyboard: the eight modifier keys are the usages from Left Control to
// Right GUI, in the order of the boot keyboard report's modifier byte.
inline constexpr uint32_t kLeftControl = 0xE0;
inline constexpr uint32_t kRightGui = 0xE7;

// Buttons are numbered from 1; 3 and up are the extra buttons.
inline constexpr uint32_t kFirstExtraButton = 3;
inline constexpr uint32_t kLastExtraButton = 5;

} // namespace hid

// A usage that reads 0xFFFFFFFF is an array element: its value, not its usage,
// says which button is down.
inline constexpr int64_t kArrayElementUsage = 4294967295;

inline constexpr int64_t kConsumerUsagePage = hid::kConsumerPage;
inline constexpr int64_t kKeyboardUsagePage = hid::kKeyboardPage;
inline constexpr int64_t kButtonUsagePage = hid::kButtonPage;
inline constexpr int64_t kGenericDesktopUsagePage = hid::kGenericDesktopPage;

} // namespace bindwell
