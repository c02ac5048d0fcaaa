// After the kernel drops events, the reader must leave no key down that is
// up, and press none twice.
#include "platform/linux/EvdevStream.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

input_event raw(uint16_t type, uint16_t code, int32_t value) {
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

const input_event kSyn = raw(EV_SYN, SYN_REPORT, 0);
const input_event kDropped = raw(EV_SYN, SYN_DROPPED, 0);

input_event key(uint16_t code, int32_t value) {
    return raw(EV_KEY, code, value);
}

struct Reader {
    std::optional<std::vector<uint16_t>> kernelKeysDown;
    std::vector<EvdevEvent> passed;
    EvdevStream stream{[this](EvdevStream::KeyState& down) {
        if (!kernelKeysDown) {
            return false;
        }
        for (const uint16_t code : *kernelKeysDown) {
            down.set(code);
        }
        return true;
    }};

    void feed(const std::vector<input_event>& events) {
        ASSERT_TRUE(stream.feed(events, [this](const EvdevEvent& event) {
            passed.push_back(event);
            return true;
        }));
    }
};

constexpr EvdevEvent kReport{EV_SYN, SYN_REPORT, 0};

TEST(EvdevStream, AfterADropTheKernelsKeyStateIsReplayedAsTheDifference) {
    Reader reader;
    reader.feed({key(KEY_VOLUMEUP, 1), kSyn, key(KEY_MUTE, 1), kSyn});
    reader.passed.clear();
    // Lost: volume up's release, play/pause's press and the half frame after
    // the notice. The kernel now has mute and play/pause down.
    reader.kernelKeysDown = {{KEY_MUTE, KEY_PLAYPAUSE}};
    reader.feed({kDropped, key(KEY_NEXTSONG, 1), kSyn, key(KEY_PLAYPAUSE, 0), kSyn});
    EXPECT_EQ(reader.passed, (std::vector<EvdevEvent>{{EV_KEY, KEY_VOLUMEUP, 0},
                                                      {EV_KEY, KEY_PLAYPAUSE, 1},
                                                      kReport,
                                                      {EV_KEY, KEY_PLAYPAUSE, 0},
                                                      kReport}));
}

TEST(EvdevStream, ADropWithNothingChangedOrAnUnknownStateLeavesNoKeyDown) {
    Reader reader;
    reader.kernelKeysDown = {{KEY_MUTE}};
    reader.feed({key(KEY_MUTE, 1), kSyn, kDropped, kSyn});
    EXPECT_EQ(reader.passed, (std::vector<EvdevEvent>{{EV_KEY, KEY_MUTE, 1}, kReport}));
    reader.passed.clear();
    reader.kernelKeysDown.reset();
    reader.feed({kDropped, kSyn});
    EXPECT_EQ(reader.passed, (std::vector<EvdevEvent>{{EV_KEY, KEY_MUTE, 0}, kReport}));
}

} // namespace
} // namespace bindwell::linuxplatform
