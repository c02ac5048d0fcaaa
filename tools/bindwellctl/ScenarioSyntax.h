#pragma once

#include "model/RemapAction.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bindwell::ctl {

// A line of a scenario script that cannot be run; the reason names what is wrong.
class ScenarioError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One script line split into blank-separated words; the raw text stays
// available for arguments that run to the end of the line.
class ScenarioLine final {
public:
    explicit ScenarioLine(std::string_view text);

    [[nodiscard]] bool isEmpty() const { return words_.empty(); }
    [[nodiscard]] std::string_view command() const { return words_.front(); }
    // The arguments after the command.
    [[nodiscard]] size_t argumentCount() const { return words_.size() - 1; }
    [[nodiscard]] std::string_view argument(size_t index) const { return words_.at(index + 1); }
    // The text from the argument at `index` to the end of the line, as written.
    [[nodiscard]] std::string_view textFrom(size_t index) const;

private:
    std::string_view text_;
    std::vector<std::string_view> words_;
};

// A decimal ("-12") or 0x-hexadecimal ("0xE9") integer.
[[nodiscard]] int64_t parseInteger(std::string_view word);
// An integer that must lie in [minimum, maximum].
[[nodiscard]] int64_t parseInteger(std::string_view word, int64_t minimum, int64_t maximum);
[[nodiscard]] double parseSeconds(std::string_view word);
// "down" or "up".
[[nodiscard]] bool parseDirection(std::string_view word);
// A case name ("escapeKey") or "keystroke:CODE:MODIFIERS:LABEL", where
// MODIFIERS is a +-joined subset of command, shift, option, control, or "-".
[[nodiscard]] RemapAction parseAction(std::string_view text);

} // namespace bindwell::ctl
