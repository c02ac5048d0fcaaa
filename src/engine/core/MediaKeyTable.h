// Any thread.
#pragma once

#include <cstdint>
#include <optional>

namespace bindwell {

// The media keys the event tap watches, as consumer usages, and the number
// each one has in the tap's log line (volume up 0, down 1, mute 7,
// play/pause 16, next 17, previous 18).
[[nodiscard]] std::optional<int64_t> mediaKeyCodeOfUsage(uint32_t usage);

} // namespace bindwell
