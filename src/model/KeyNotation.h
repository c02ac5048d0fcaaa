// Any thread; no state of its own.
#pragma once

#include "model/KeyModifiers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bindwell {

// Shortcuts written the way Linux desktops show them: the held modifiers in
// the order Ctrl, Alt, Shift, Super, then the key, joined by "+"
// ("Ctrl+Shift+Z"). The stored modifier flags keep the names of the file
// format: command is Ctrl, option is Alt, control is Super.

// The key's name ("Z", "F4", "Print", "Left"); none for a code without one.
[[nodiscard]] std::optional<std::string_view> keyName(int64_t keyCode);

// The whole combination; none when the key has no name.
[[nodiscard]] std::optional<std::string> shortcutNotation(int64_t keyCode,
                                                          const KeyModifiers& modifiers);

} // namespace bindwell
