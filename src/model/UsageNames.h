// Any thread; no state of its own.
#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// What Linux calls the key or button a HID usage becomes, written for people
// ("Page Down", "F13", "Volume Up", "Side Button"): the kernel's KEY_ and BTN_
// names with their words apart. The keyboard, consumer and button pages are
// named; any other usage reads "Usage 0x<page>:0x<usage>".
[[nodiscard]] std::string usageName(int64_t usagePage, int64_t usageID);

} // namespace bindwell
