#include "engine/core/InputEventText.h"

#include <charconv>
#include <string_view>

namespace bindwell {
namespace {

template <typename Number> void appendNumber(std::string& text, Number number, int base) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number, base).ptr;
    text.append(digits, end);
}

// prefix + "page=0x<page> usage=0x<usage>" (+ " value=<value>")
std::string usageText(std::string_view prefix, uint32_t usagePage, uint32_t usage,
                      const int64_t* value) {
    std::string text;
    text.reserve(prefix.size() + 48);
    text.append(prefix).append("page=0x");
    appendNumber(text, usagePage, 16);
    text.append(" usage=0x");
    appendNumber(text, usage, 16);
    if (value != nullptr) {
        text.append(" value=");
        appendNumber(text, *value, 10);
    }
    return text;
}

} // namespace

std::string hidEventLine(uint32_t usagePage, uint32_t usage, int64_t value) {
    return usageText("🎮 HID Event from target: ", usagePage, usage, &value);
}

std::string unmappedButtonLine(uint32_t usagePage, uint32_t usage, int64_t value) {
    return usageText("❓ Unmapped button: ", usagePage, usage, &value);
}

std::string unmappedButtonEvent(uint32_t usagePage, uint32_t usage) {
    return usageText("Unmapped: ", usagePage, usage, nullptr);
}

} // namespace bindwell
