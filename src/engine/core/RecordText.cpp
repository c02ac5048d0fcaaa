#include "engine/core/RecordText.h"

#include <charconv>
#include <string_view>

namespace bindwell {
namespace {

using Kind = TextRecord::Kind;

template <typename Number> void appendNumber(std::string& text, Number number, int base = 10) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number, base).ptr;
    text.append(digits, end);
}

// prefix + "page=0x<page> usage=0x<usage>" (+ " value=<value>")
void appendUsage(std::string& text, std::string_view prefix, const TextRecord& record,
                 bool withValue) {
    text.append(prefix).append("page=0x");
    appendNumber(text, record.usagePage, 16);
    text.append(" usage=0x");
    appendNumber(text, record.usage, 16);
    if (withValue) {
        text.append(" value=");
        appendNumber(text, record.value);
    }
}

void appendActionName(std::string& text, const TextRecord& record) {
    if (record.action != nullptr) {
        text.append(record.action->displayName());
    }
}

// "Skip Back (hold) → Escape"; a tap says no more than a button without gestures.
void appendMappingEvent(std::string& text, const TextRecord& record) {
    text.append(record.mapping->label);
    if (record.gesture == Gesture::hold) {
        text.append(" (hold)");
    } else if (record.gesture == Gesture::doubleTap) {
        text.append(" (double tap)");
    }
    text.append(" → ").append(record.action->displayName());
}

} // namespace

void appendRecordText(std::string& text, const TextRecord& record) {
    switch (record.kind) {
    case Kind::hidEvent:
        appendUsage(text, "🎮 HID Event from target: ", record, true);
        return;
    case Kind::unmappedButton:
        appendUsage(text, "❓ Unmapped button: ", record, true);
        return;
    case Kind::unmappedEvent:
        appendUsage(text, "Unmapped: ", record, false);
        return;
    case Kind::deduplicated:
        text.append("⏭️ Deduplicated ");
        appendActionName(text, record);
        text.append(" (fired ");
        appendNumber(text, record.number);
        text.append("ms ago)");
        return;
    case Kind::keyOutOfRange:
        text.append("⚠️ Key code ");
        appendNumber(text, record.number);
        text.append(" out of range for ");
        appendActionName(text, record);
        return;
    case Kind::unpostableKey:
        text.append("⚠️ Virtual key code ");
        appendNumber(text, record.number);
        text.append(" has no Linux key; it is not posted");
        return;
    case Kind::suppressedMediaKey:
        text.append("🚫 Suppressed media key: ");
        appendNumber(text, record.number);
        return;
    case Kind::suppressedMouseButton:
        text.append("🚫 Suppressed mouse button ");
        appendNumber(text, record.number);
        text.append(" → ");
        appendActionName(text, record);
        return;
    case Kind::releasedOnDisconnect:
        text.append("Released ");
        appendActionName(text, record);
        text.append(": the controller disconnected");
        return;
    case Kind::mappingEvent:
    case Kind::gestureStarted:
        appendMappingEvent(text, record);
        return;
    case Kind::controllerArrived:
    case Kind::controllerLeft:
        return;
    }
}

} // namespace bindwell
