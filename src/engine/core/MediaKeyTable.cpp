#include "engine/core/MediaKeyTable.h"

#include "model/HidUsages.h"

#include <array>
#include <utility>

namespace bindwell {
namespace {

constexpr std::array<std::pair<int64_t, uint32_t>, 6> kMediaKeys{{
    {0, hid::kVolumeUp},
    {1, hid::kVolumeDown},
    {7, hid::kMute},
    {16, hid::kPlayPause},
    {17, hid::kScanNextTrack},
    {18, hid::kScanPreviousTrack},
}};

} // namespace

std::optional<int64_t> mediaKeyCodeOfUsage(uint32_t usage) {
    for (const auto& [code, keyUsage] : kMediaKeys) {
        if (keyUsage == usage) {
            return code;
        }
    }
    return std::nullopt;
}

} // namespace bindwell
