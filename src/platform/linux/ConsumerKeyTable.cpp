#include "platform/linux/ConsumerKeyTable.h"

#include "model/HidUsages.h"

#include <algorithm>
#include <array>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

struct ConsumerKey {
    uint16_t code;
    uint32_t usage;
};

// The consumer keys hid-input produces for the usages handheld controllers
// and media remotes send; a key missing here only loses its MSC_SCAN-less
// fallback, since real HID nodes always send the scan code first.
constexpr std::array<ConsumerKey, 16> kConsumerKeys{{
    {KEY_VOLUMEUP, hid::kVolumeUp},
    {KEY_VOLUMEDOWN, hid::kVolumeDown},
    {KEY_MUTE, hid::kMute},
    {KEY_PLAYPAUSE, hid::kPlayPause},
    {KEY_NEXTSONG, hid::kScanNextTrack},
    {KEY_PREVIOUSSONG, hid::kScanPreviousTrack},
    {KEY_STOPCD, 0xB7},
    {KEY_PLAYCD, 0xB0},
    {KEY_PAUSECD, 0xB1},
    {KEY_FASTFORWARD, 0xB3},
    {KEY_REWIND, 0xB4},
    {KEY_EJECTCD, 0xB8},
    {KEY_BRIGHTNESSUP, 0x6F},
    {KEY_BRIGHTNESSDOWN, 0x70},
    {KEY_MENU, 0x40},
    {KEY_HOMEPAGE, 0x223},
}};

const ConsumerKey* findConsumerKey(uint16_t code) {
    const auto* it = std::find_if(kConsumerKeys.begin(), kConsumerKeys.end(),
                                  [code](const ConsumerKey& key) { return key.code == code; });
    return it == kConsumerKeys.end() ? nullptr : it;
}

} // namespace

std::optional<HidUsage> hidUsageForEvdevKey(uint16_t code) {
    if (code >= BTN_LEFT && code <= BTN_EXTRA) {
        return HidUsage{hid::kButtonPage, static_cast<uint32_t>(code - BTN_LEFT + 1)};
    }
    if (const ConsumerKey* key = findConsumerKey(code)) {
        return HidUsage{hid::kConsumerPage, key->usage};
    }
    return std::nullopt;
}

std::span<const uint16_t> consumerControlKeys() {
    static constexpr std::array<uint16_t, 6> kMarkers{
        KEY_VOLUMEUP, KEY_VOLUMEDOWN, KEY_MUTE, KEY_PLAYPAUSE, KEY_NEXTSONG, KEY_PREVIOUSSONG};
    return kMarkers;
}

} // namespace bindwell::linuxplatform
