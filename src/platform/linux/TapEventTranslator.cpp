#include "platform/linux/TapEventTranslator.h"

#include "platform/linux/ConsumerKeyTable.h"

#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

constexpr int64_t kMediaKeySubtype = 8;
constexpr int64_t kKeyDownState = 0x0A;
constexpr int64_t kKeyUpState = 0x0B;

std::optional<int64_t> otherMouseButtonNumber(uint16_t code) {
    switch (code) {
    case BTN_MIDDLE:
        return 2;
    case BTN_SIDE:
        return 3;
    case BTN_EXTRA:
        return 4;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<TapEvent> tapEventFor(const EvdevEvent& event) {
    if (event.type != EV_KEY || (event.value != 0 && event.value != 1)) {
        return std::nullopt;
    }
    const bool down = event.value == 1;
    if (const std::optional<int64_t> button = otherMouseButtonNumber(event.code)) {
        TapEvent tap;
        tap.type = down ? tapevent::otherMouseDown : tapevent::otherMouseUp;
        tap.mouseButtonNumber = *button;
        return tap;
    }
    if (const std::optional<int64_t> mediaKey = mediaKeyCodeForEvdevKey(event.code)) {
        TapEvent tap;
        tap.type = tapevent::systemDefined;
        const int64_t state = down ? kKeyDownState : kKeyUpState;
        tap.systemDefined = SystemDefinedData{kMediaKeySubtype, *mediaKey << 16 | state << 8};
        return tap;
    }
    return std::nullopt;
}

} // namespace bindwell::linuxplatform
