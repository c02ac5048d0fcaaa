#include "platform/linux/TapEventTranslator.h"

#include "platform/linux/ConsumerKeyTable.h"

#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

constexpr uint32_t kButtonPage = 0x09;
constexpr uint32_t kConsumerPage = 0x0C;
constexpr uint32_t kFirstExtraButton = 3;

} // namespace

std::optional<TapEvent> tapEventFor(const EvdevEvent& event) {
    if (event.type != EV_KEY || (event.value != 0 && event.value != 1)) {
        return std::nullopt;
    }
    const bool pressed = event.value == 1;
    const std::optional<HidUsage> usage = hidUsageForEvdevKey(event.code);
    if (!usage) {
        return std::nullopt;
    }
    if (usage->page == kButtonPage && usage->usage >= kFirstExtraButton) {
        return ExtraButton{.number = static_cast<int>(usage->usage), .pressed = pressed};
    }
    if (usage->page == kConsumerPage) {
        return MediaKey{.usage = usage->usage, .pressed = pressed};
    }
    return std::nullopt;
}

} // namespace bindwell::linuxplatform
