#include "platform/linux/TapEventTranslator.h"
#include "platform/linux/VirtualKeyTable.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <set>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

TEST(VirtualKeyTable, EveryVirtualKeyMapsToADistinctPostableKey) {
    std::set<uint16_t> seen;
    for (int64_t code = 0; code < 128; ++code) {
        if (const auto key = linuxKeyFor({.keyCode = code, .modifiers = {}})) {
            EXPECT_TRUE(seen.insert(*key).second) << "code " << code;
        }
    }
    const auto postable = postableKeys();
    const std::set<uint16_t> postableSet(postable.begin(), postable.end());
    EXPECT_EQ(postableSet.size(), postable.size());
    for (const uint16_t key : seen) {
        EXPECT_TRUE(postableSet.contains(key)) << key;
    }
    for (const uint16_t modifier : {KEY_LEFTCTRL, KEY_LEFTMETA, KEY_LEFTALT, KEY_LEFTSHIFT}) {
        EXPECT_TRUE(postableSet.contains(modifier)) << modifier;
    }
}

TEST(TapEventTranslator, ExtraPointerButtonsAreNumberedFromTheMiddleOne) {
    const auto middle = tapEventFor({EV_KEY, BTN_MIDDLE, 1});
    ASSERT_TRUE(middle);
    EXPECT_EQ(std::get<ExtraButton>(*middle).number, 3);
    EXPECT_TRUE(std::get<ExtraButton>(*middle).pressed);
    const auto extraUp = tapEventFor({EV_KEY, BTN_EXTRA, 0});
    ASSERT_TRUE(extraUp);
    EXPECT_EQ(std::get<ExtraButton>(*extraUp).number, 5);
    EXPECT_FALSE(std::get<ExtraButton>(*extraUp).pressed);
    EXPECT_FALSE(tapEventFor({EV_KEY, BTN_LEFT, 1}));
    EXPECT_FALSE(tapEventFor({EV_KEY, BTN_RIGHT, 0}));
    EXPECT_FALSE(tapEventFor({EV_KEY, BTN_MIDDLE, 2}));
    EXPECT_FALSE(tapEventFor({EV_REL, REL_X, 1}));
}

TEST(TapEventTranslator, ConsumerKeysBecomeMediaKeysOfTheirUsage) {
    const auto up = tapEventFor({EV_KEY, KEY_PREVIOUSSONG, 0});
    ASSERT_TRUE(up);
    EXPECT_EQ(std::get<MediaKey>(*up).usage, 0xB6u);
    EXPECT_FALSE(std::get<MediaKey>(*up).pressed);
    EXPECT_FALSE(tapEventFor({EV_KEY, KEY_A, 1}));
}

} // namespace
} // namespace bindwell::linuxplatform
