#include "platform/linux/TapEventTranslator.h"

#include "model/HidUsages.h"
#include "platform/linux/HidKeyTable.h"

#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
std::optional<TapEvent> tapEventFor(const EvdevEvent& event) {
    if (event.type != EV_KEY || (event.value != 0 && event.value != 1)) {
        return std::nullopt;
    }
    const bool pressed = event.value == 1;
    const std::optional<HidUsage> usage = hidUsageForEvdevKey(event.code);
    if (!usage) {
        return std::nullopt;
    }
    if (usage->page == hid::kButtonPage && usage->usage >= hid::kFirstExtraButton) {
        return ExtraButton{.number = static_cast<int>(usage->usage), .pressed = pressed};
    }
    if (usage->page == hid::kConsumerPage) {
        return MediaKey{.usage = usage->usage, .pressed = pressed};
    }
    return std::nullopt;
}

} // namespace bindwell::linuxplatform
