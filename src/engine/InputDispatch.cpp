// Dispatch of one input value to at most one action. Values of interfaces that
// are not tracked die silently; pointer motion never reaches the lookup. The
// lastEvent text is published through the event loop, never inside the callback.
// Array fields get one repair beyond a plain lookup: their "array empty" value
// releases whatever was pressed through them (see ArrayElementPresses).
#include "engine/HIDInterceptor.h"
#include "engine/InputEventText.h"
#include "support/Log.h"

#include <algorithm>

namespace bindwell {
namespace {

constexpr uint32_t kPointerX = 0x30;
constexpr uint32_t kPointerY = 0x31;
constexpr uint32_t kWheel = 0x38;

bool isPointerMotion(const HidInputValue& value) {
    if (value.usagePage != kGenericDesktopUsagePage) {
        return false;
    }
    return value.usage == kPointerX || value.usage == kPointerY ||
           (value.usage == kWheel && value.value == 0);
}

} // namespace

void HIDInterceptor::handleInputValue(const HidInputValue& value) {
    if (std::find(trackedDevices_.begin(), trackedDevices_.end(), value.device) ==
        trackedDevices_.end()) {
        return;
    }
    if (isPointerMotion(value)) {
        return;
    }
    const LogBatch logAfterPosting;
    log(hidEventLine(value.usagePage, value.usage, value.value));
    const bool isArrayElement = value.usage == kArrayElementUsage;
    const bool isPressed = isArrayElement ? value.value > 0 : value.value != 0;
    const ButtonMapping* mapping =
        activeProfile_
            ? activeProfile_->findMappingPointer(value.usagePage, value.usage, value.value)
            : nullptr;
    if (mapping) {
        if (isArrayElement && isPressed) {
            arrayPresses_.remember(value.device.get(), value.usagePage, *mapping);
        }
        dispatchMapping(*mapping, isPressed);
        return;
    }
    if (isArrayElement && value.value == 0) {
        releaseArrayElement(value);
        return;
    }
    if (isPressed) {
        reportUnmapped(value);
    }
}

void HIDInterceptor::dispatchMapping(const ButtonMapping& mapping, bool isPressed) {
    performAction(mapping.action, isPressed);
    queueLastEvent().append(mapping.label).append(" → ").append(mapping.action.displayName());
}

void HIDInterceptor::releaseArrayElement(const HidInputValue& value) {
    for (const ButtonMapping& mapping :
         arrayPresses_.takeAll(value.device.get(), value.usagePage)) {
        dispatchMapping(mapping, false);
    }
}

void HIDInterceptor::reportUnmapped(const HidInputValue& value) {
    log(unmappedButtonLine(value.usagePage, value.usage, value.value));
    queueLastEvent() = unmappedButtonEvent(value.usagePage, value.usage);
}

void HIDInterceptor::performAction(const RemapAction& action, bool isPressed) {
    if (isPressed) {
        const DedupeGate::Verdict verdict =
            gate_.admitPress(action, platform_.clock().uptimeSeconds());
        if (!verdict.admitted) {
            log("⏭️ Deduplicated " + action.displayName() + " (fired " +
                std::to_string(verdict.elapsedMilliseconds) + "ms ago)");
            return;
        }
    }
    synthesize(action, isPressed);
}

} // namespace bindwell
