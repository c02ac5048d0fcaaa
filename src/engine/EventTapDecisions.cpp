// The tap's decisions. Media keys: the action itself comes from the HID path,
// so the tap only swallows the system's copy of a mapped key (an unseized
// interface reaches the system too) and never performs anything. Extra mouse
// buttons 3-5 reach us only as ordinary mouse events, so for them the tap is
// the input path: look up, perform, publish, swallow. The tap cannot tell which
// device an event came from; a button mapped to "Default (No Remap)" passes.
#include "engine/HIDInterceptor.h"
#include "support/Log.h"

#include <array>
#include <utility>

namespace bindwell {
namespace {

constexpr int64_t kMediaKeySubtype = 8;
constexpr int64_t kKeyDownState = 0x0A;
constexpr int64_t kVolumeUpUsage = 0xE9;
constexpr int64_t kVolumeDownUsage = 0xEA;
constexpr int64_t kFirstExtraButton = 2;
constexpr int64_t kLastExtraButton = 4;

// Media key codes and the consumer usages that stand for them in a profile.
constexpr std::array<std::pair<int64_t, int64_t>, 6> kMediaKeyUsages{{
    {0, kVolumeUpUsage},
    {1, kVolumeDownUsage},
    {7, 0xE2},
    {16, 0xCD},
    {17, 0xB5},
    {18, 0xB6},
}};

std::optional<int64_t> consumerUsageOfMediaKey(int64_t keyCode) {
    for (const auto& [code, usage] : kMediaKeyUsages) {
        if (code == keyCode) {
            return usage;
        }
    }
    return std::nullopt;
}

// The mapping a media key stands for: its own usage, else the array-element
// form, where only the volume keys carry their usage as the element's value.
const ButtonMapping* mappingOfMediaKey(const DeviceProfile& profile, int64_t usage) {
    if (const ButtonMapping* mapping = profile.findMappingPointer(kConsumerUsagePage, usage, 1)) {
        return mapping;
    }
    const int64_t arrayValue = (usage == kVolumeUpUsage || usage == kVolumeDownUsage) ? usage : 0;
    return profile.findMappingPointer(kConsumerUsagePage, kArrayElementUsage, arrayValue);
}

} // namespace

void HIDInterceptor::installEventTap() {
    const EventTapScope scope{.vendorID = activeProfile_ ? activeProfile_->vendorID : 0,
                              .productID = activeProfile_ ? activeProfile_->productID : 0};
    eventTap_ = platform_.createEventTap(
        scope, [this](const TapEvent& event) { return handleEventTapEvent(event); });
    if (!eventTap_) {
        log("⚠️ Could not create the event tap — media keys may double-fire");
        log("Make sure Bindwell has the Send input permission");
        return;
    }
    eventTap_->setEnabled(true);
    log("✅ Event tap installed — media keys + extra mouse buttons will be intercepted");
}

void HIDInterceptor::removeEventTap() {
    if (!eventTap_) {
        return;
    }
    eventTap_->setEnabled(false);
    eventTap_.reset();
    log("Event tap removed");
}

TapVerdict HIDInterceptor::handleEventTapEvent(const TapEvent& event) {
    const LogBatch logAfterPosting;
    switch (event.type) {
    case tapevent::disabledByTimeout:
    case tapevent::disabledByUserInput:
        // The system turns a tap off after a slow callback; turn it straight back on.
        if (eventTap_) {
            eventTap_->setEnabled(true);
        }
        return TapVerdict::pass;
    case tapevent::otherMouseDown:
    case tapevent::otherMouseUp:
        return handleMouseButtonEvent(event);
    case tapevent::systemDefined:
        return handleMediaKeyEvent(event);
    default:
        return TapVerdict::pass;
    }
}

TapVerdict HIDInterceptor::handleMediaKeyEvent(const TapEvent& event) const {
    if (!event.systemDefined || event.systemDefined->subtype != kMediaKeySubtype) {
        return TapVerdict::pass;
    }
    const int64_t data1 = event.systemDefined->data1;
    const int64_t keyCode = (data1 >> 16) & 0xFFFF;
    const int64_t keyState = (data1 >> 8) & 0xFF;
    const std::optional<int64_t> usage = consumerUsageOfMediaKey(keyCode);
    if (!usage || !activeProfile_) {
        return TapVerdict::pass;
    }
    const ButtonMapping* mapping = mappingOfMediaKey(*activeProfile_, *usage);
    if (!mapping || mapping->action.kind() == RemapAction::Kind::none) {
        return TapVerdict::pass;
    }
    if (keyState == kKeyDownState) {
        log("🚫 Suppressed media key: " + std::to_string(keyCode));
    }
    return TapVerdict::swallow;
}

TapVerdict HIDInterceptor::handleMouseButtonEvent(const TapEvent& event) {
    const int64_t button = event.mouseButtonNumber;
    if (button < kFirstExtraButton || button > kLastExtraButton || !activeProfile_) {
        return TapVerdict::pass;
    }
    const bool isPressed = event.type == tapevent::otherMouseDown;
    const int64_t usage = button + 1;
    const ButtonMapping* mapping =
        activeProfile_->findMappingPointer(kButtonUsagePage, usage, isPressed ? 1 : 0);
    if (!mapping || mapping->action.kind() == RemapAction::Kind::none) {
        return TapVerdict::pass;
    }
    if (isPressed) {
        log("🚫 Suppressed mouse button " + std::to_string(usage) + " → " +
            mapping->action.displayName());
    }
    dispatchMapping(*mapping, isPressed);
    return TapVerdict::swallow;
}

} // namespace bindwell
