// Any thread; plain values.
#pragma once

#include "model/DeviceProfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace bindwell {

// The outcome of reading a configuration text: either every profile in it, or
// a description of the first rule it breaks and where (no partial lists).
struct ConfigReadResult {
    std::vector<DeviceProfile> profiles;
    std::string error; // empty exactly when the text was read
    // What was read but is likely a mistake (a key given twice), with its place.
    std::vector<std::string> warnings;

    [[nodiscard]] bool ok() const { return error.empty(); }
};

// Compact JSON, non-ASCII characters written as UTF-8. Bytes that are not
// valid UTF-8 (a device name from a careless descriptor) are written as
// U+FFFD, so one odd name never stops the whole list from being saved.
[[nodiscard]] std::string writeConfig(const std::vector<DeviceProfile>& profiles);

// Strict reader: every required key must be present with its JSON type;
// unknown keys are ignored at every level; profile ids, and mapping ids within
// a profile, are unique. Never throws on bad input.
[[nodiscard]] ConfigReadResult readConfig(std::string_view text);

} // namespace bindwell
