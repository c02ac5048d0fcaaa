#include "engine/core/RecordText.h"

#include <bit>
#include <charconv>
#include <cstring>

namespace bindwell {
namespace {

using Kind = TextRecord::Kind;

// The longest int64_t in decimal, sign included.
constexpr size_t kLongestDecimal = 20;

// `at` has room for kLongestDecimal characters.
char* putDecimal(char* at, int64_t number) {
    return std::to_chars(at, at + kLongestDecimal, number).ptr;
}

void appendNumber(std::string& text, int64_t number) {
    char digits[kLongestDecimal];
    text.append(digits, putDecimal(digits, number));
}

template <size_t Size> char* put(char* at, const char (&literal)[Size]) {
    std::memcpy(at, literal, Size - 1);
    return at + Size - 1;
}

// Lower-case hex without leading zeros, as printf's %x writes it.
char* putHex(char* at, uint32_t number) {
    const int digits = number == 0 ? 1 : (std::bit_width(number) + 3) / 4;
    for (int i = digits - 1; i >= 0; --i) {
        at[i] = "0123456789abcdef"[number & 0xf];
        number >>= 4;
    }
    return at + digits;
}

// prefix + "page=0x<page> usage=0x<usage>" (+ " value=<value>"), put together
// on the stack and appended once: five of these go out for every press and
// release of a button.
template <size_t PrefixSize>
void appendUsage(std::string& text, const char (&prefix)[PrefixSize], const TextRecord& record,
                 bool withValue) {
    char line[PrefixSize + 64];
    char* at = put(line, prefix);
    at = put(at, "page=0x");
    at = putHex(at, record.usagePage);
    at = put(at, " usage=0x");
    at = putHex(at, record.usage);
    if (withValue) {
        at = put(at, " value=");
        at = putDecimal(at, record.value);
    }
    text.append(line, at);
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
