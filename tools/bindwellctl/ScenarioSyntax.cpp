#include "ScenarioSyntax.h"

#include <charconv>
#include <cstdlib>

namespace bindwell::ctl {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string quoted(std::string_view word) {
    return "'" + std::string(word) + "'";
}

KeyModifiers parseModifiers(std::string_view text) {
    KeyModifiers modifiers;
    if (text == "-") {
        return modifiers;
    }
    while (true) {
        const size_t plus = text.find('+');
        const std::string_view name = text.substr(0, plus);
        bool* flag = name == "command"   ? &modifiers.command
                     : name == "shift"   ? &modifiers.shift
                     : name == "option"  ? &modifiers.option
                     : name == "control" ? &modifiers.control
                                         : nullptr;
        if (flag == nullptr) {
            throw ScenarioError("unknown modifier " + quoted(name) +
                                " (command, shift, option, control or -)");
        }
        *flag = true;
        if (plus == std::string_view::npos) {
            return modifiers;
        }
        text.remove_prefix(plus + 1);
    }
}

RemapAction parseKeystroke(std::string_view spec) {
    const size_t codeEnd = spec.find(':');
    const size_t modifiersEnd =
        codeEnd == std::string_view::npos ? codeEnd : spec.find(':', codeEnd + 1);
    if (modifiersEnd == std::string_view::npos) {
        throw ScenarioError("expected keystroke:CODE:MODIFIERS:LABEL");
    }
    return RemapAction::keystroke({
        .keyCode = parseInteger(spec.substr(0, codeEnd)),
        .modifiers = parseModifiers(spec.substr(codeEnd + 1, modifiersEnd - codeEnd - 1)),
        .displayName = std::string(spec.substr(modifiersEnd + 1)),
    });
}

} // namespace

ScenarioLine::ScenarioLine(std::string_view text) : text_(text) {
    size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && isBlank(text[position])) {
            ++position;
        }
        const size_t start = position;
        while (position < text.size() && !isBlank(text[position])) {
            ++position;
        }
        if (position > start) {
            words_.push_back(text.substr(start, position - start));
        }
    }
}

std::string_view ScenarioLine::textFrom(size_t index) const {
    const std::string_view first = argument(index);
    std::string_view rest = text_.substr(static_cast<size_t>(first.data() - text_.data()));
    while (!rest.empty() && isBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    return rest;
}

int64_t parseInteger(std::string_view word) {
    const bool negative = word.starts_with('-');
    std::string_view digits = negative ? word.substr(1) : word;
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    const uint64_t limit = negative ? 1ULL << 63 : (1ULL << 63) - 1;
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        magnitude > limit) {
        throw ScenarioError("not a number: " + quoted(word));
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

int64_t parseInteger(std::string_view word, int64_t minimum, int64_t maximum) {
    const int64_t value = parseInteger(word);
    if (value < minimum || value > maximum) {
        throw ScenarioError("out of range: " + quoted(word));
    }
    return value;
}

double parseSeconds(std::string_view word) {
    const std::string text(word);
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(seconds >= 0.0)) {
        throw ScenarioError("not a number of seconds: " + quoted(word));
    }
    return seconds;
}

bool parseDirection(std::string_view word) {
    if (word == "down" || word == "up") {
        return word == "down";
    }
    throw ScenarioError("expected down or up, not " + quoted(word));
}

RemapAction parseAction(std::string_view text) {
    constexpr std::string_view kKeystrokePrefix = "keystroke:";
    if (text.starts_with(kKeystrokePrefix)) {
        return parseKeystroke(text.substr(kKeystrokePrefix.size()));
    }
    const auto kind = RemapAction::kindFromCaseName(text);
    if (!kind || *kind == RemapAction::Kind::keystroke) {
        throw ScenarioError("unknown action " + quoted(text));
    }
    return RemapAction::payloadFree(*kind);
}

} // namespace bindwell::ctl
