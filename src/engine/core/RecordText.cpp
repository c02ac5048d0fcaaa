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
std::string usageText(std::string_view prefix, const TextRecord& record, bool withValue) {
    std::string text;
    text.reserve(prefix.size() + 48);
    text.append(prefix).append("page=0x");
    appendNumber(text, record.usagePage, 16);
    text.append(" usage=0x");
    appendNumber(text, record.usage, 16);
    if (withValue) {
        text.append(" value=");
        appendNumber(text, record.value);
    }
    return text;
}

std::string actionName(const TextRecord& record) {
    return record.action != nullptr ? record.action->displayName() : std::string();
}

} // namespace

std::string recordText(const TextRecord& record) {
    std::string text;
    switch (record.kind) {
    case Kind::hidEvent:
        return usageText("🎮 HID Event from target: ", record, true);
    case Kind::unmappedButton:
        return usageText("❓ Unmapped button: ", record, true);
    case Kind::unmappedEvent:
        return usageText("Unmapped: ", record, false);
    case Kind::deduplicated:
        text = "⏭️ Deduplicated " + actionName(record) + " (fired ";
        appendNumber(text, record.number);
        return text + "ms ago)";
    case Kind::keyOutOfRange:
        text = "⚠️ Key code ";
        appendNumber(text, record.number);
        return text + " out of range for " + actionName(record);
    case Kind::unpostableKey:
        text = "⚠️ Virtual key code ";
        appendNumber(text, record.number);
        return text + " has no Linux key; it is not posted";
    case Kind::suppressedMediaKey:
        text = "🚫 Suppressed media key: ";
        appendNumber(text, record.number);
        return text;
    case Kind::suppressedMouseButton:
        text = "🚫 Suppressed mouse button ";
        appendNumber(text, record.number);
        return text + " → " + actionName(record);
    case Kind::releasedOnDisconnect:
        return "Released " + actionName(record) + ": the controller disconnected";
    case Kind::mappingEvent:
        return record.mapping->label + " → " + record.action->displayName();
    case Kind::controllerArrived:
    case Kind::controllerLeft:
        return text;
    }
    return text;
}

} // namespace bindwell
