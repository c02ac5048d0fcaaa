#include "engine/core/MediaKeyTable.h"

#include <array>
#include <utility>

namespace bindwell {
namespace {

constexpr std::array<std::pair<int64_t, uint32_t>, 6> kMediaKeys{{
    {0, 0xE9},
    {1, 0xEA},
    {7, 0xE2},
    {16, 0xCD},
    {17, 0xB5},
    {18, 0xB6},
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

std::optional<uint32_t> usageOfMediaKeyCode(int64_t keyCode) {
    for (const auto& [code, usage] : kMediaKeys) {
        if (code == keyCode) {
            return usage;
        }
    }
    return std::nullopt;
}

} // namespace bindwell
