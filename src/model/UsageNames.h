// Any thread; no state of its own.
#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// What Linux calls the key or button a HID usage becomes, written for people
// ("Page Down", "F13", "Volume Up", "Side Button"): the kernel's KEY_ and BTN_
// names with their words apart. The keyboard, consumer and button pages are
// named; any other usage reads "Usage 0x<page>:0x<usage>". A key the device
// sends with modifiers held (the boot keyboard's modifier byte, Left Control
// in bit 0 to Right GUI in bit 7) is written as desktops write shortcuts,
// either side alike: "Ctrl+Z", "Ctrl+Shift+F5".
[[nodiscard]] std::string usageName(int64_t usagePage, int64_t usageID, uint8_t modifiers = 0);

} // namespace bindwell
