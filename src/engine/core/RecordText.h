// Any thread (the main thread in practice).
#pragma once

#include "engine/core/TextRecord.h"

#include <string>

namespace bindwell {

// Appends the log line of a record (without the "[Bindwell] " prefix), or its
// lastEvent text for the two lastEvent kinds, to `text`: a caller that keeps
// one string for every record formats without allocating.
// "🎮 HID Event from target: page=0xc usage=0xe9 value=1", "Volume Up → Enter / Return", ...
void appendRecordText(std::string& text, const TextRecord& record);

} // namespace bindwell
