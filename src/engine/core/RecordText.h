// Any thread (the main thread in practice).
#pragma once

#include "engine/core/TextRecord.h"

#include <string>

namespace bindwell {

// The log line of a record (without the "[Bindwell] " prefix), or its lastEvent
// text for the two lastEvent kinds.
// "🎮 HID Event from target: page=0xc usage=0xe9 value=1", "Volume Up → Enter / Return", ...
[[nodiscard]] std::string recordText(const TextRecord& record);

} // namespace bindwell
