#include "engine/ports/EventPoster.h"
#include "model/VirtualKeyCodes.h"
#include "platform/linux/ConsumerKeyTable.h"
#include "platform/linux/TapEventTranslator.h"
#include "platform/linux/VirtualKeyTable.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <set>

namespace bindwell::linuxplatform {
namespace {

TEST(VirtualKeyTable, NamedKeysAndShortcutLettersReachTheirLinuxKeys) {
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kC), KEY_C);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kZ), KEY_Z);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kReturn), KEY_ENTER);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kEscape), KEY_ESC);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kSpace), KEY_SPACE);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kTab), KEY_TAB);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kFunction), KEY_FN);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::k5), KEY_5);
    EXPECT_EQ(linuxKeyForVirtualKey(vk::kLeftBracket), KEY_LEFTBRACE);
}

TEST(VirtualKeyTable, CodesWithoutALinuxKeyAreRefused) {
    EXPECT_FALSE(linuxKeyForVirtualKey(10)); // ISO section key
    EXPECT_FALSE(linuxKeyForVirtualKey(52));
    EXPECT_FALSE(linuxKeyForVirtualKey(-1));
    EXPECT_FALSE(linuxKeyForVirtualKey(70000));
}

TEST(VirtualKeyTable, EveryVirtualKeyMapsToADistinctPostableKey) {
    std::set<uint16_t> seen;
    for (int64_t code = 0; code < 128; ++code) {
        if (const auto key = linuxKeyForVirtualKey(code)) {
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

TEST(VirtualKeyTable, CommandTypesCtrlSoCopyCopies) {
    EXPECT_EQ(modifierKeysForFlags(eventflag::command), (std::vector<uint16_t>{KEY_LEFTCTRL}));
    EXPECT_EQ(modifierKeysForFlags(eventflag::control), (std::vector<uint16_t>{KEY_LEFTMETA}));
    EXPECT_EQ(modifierKeysForFlags(eventflag::command | eventflag::shift | eventflag::option |
                                   eventflag::control),
              (std::vector<uint16_t>{KEY_LEFTCTRL, KEY_LEFTALT, KEY_LEFTSHIFT, KEY_LEFTMETA}));
    EXPECT_TRUE(modifierKeysForFlags(0).empty());
    // Bits that are not modifiers (caps lock, numeric pad) post nothing.
    EXPECT_TRUE(modifierKeysForFlags(0x10000 | 0x200000).empty());
}

TEST(ConsumerKeyTable, MediaKeysCarryTheirHidUsageAndMediaKeyCode) {
    struct Row {
        uint16_t key;
        uint32_t usage;
        int64_t mediaKey;
    };
    for (const Row& row : {Row{KEY_VOLUMEUP, 0xE9, 0}, Row{KEY_VOLUMEDOWN, 0xEA, 1},
                           Row{KEY_MUTE, 0xE2, 7}, Row{KEY_PLAYPAUSE, 0xCD, 16},
                           Row{KEY_NEXTSONG, 0xB5, 17}, Row{KEY_PREVIOUSSONG, 0xB6, 18}}) {
        EXPECT_EQ(hidUsageForEvdevKey(row.key), (HidUsage{0x0C, row.usage})) << row.key;
        EXPECT_EQ(mediaKeyCodeForEvdevKey(row.key), row.mediaKey) << row.key;
    }
    EXPECT_FALSE(mediaKeyCodeForEvdevKey(KEY_BRIGHTNESSUP));
    EXPECT_EQ(consumerControlKeys().size(), 6u);
}

TEST(TapEventTranslator, ExtraMouseButtonsBecomeOtherMouseEvents) {
    const auto middle = tapEventFor({EV_KEY, BTN_MIDDLE, 1});
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->type, tapevent::otherMouseDown);
    EXPECT_EQ(middle->mouseButtonNumber, 2);
    const auto extraUp = tapEventFor({EV_KEY, BTN_EXTRA, 0});
    ASSERT_TRUE(extraUp);
    EXPECT_EQ(extraUp->type, tapevent::otherMouseUp);
    EXPECT_EQ(extraUp->mouseButtonNumber, 4);
    EXPECT_EQ(tapEventFor({EV_KEY, BTN_SIDE, 1})->mouseButtonNumber, 3);
    EXPECT_FALSE(tapEventFor({EV_KEY, BTN_LEFT, 1}));
    EXPECT_FALSE(tapEventFor({EV_KEY, BTN_RIGHT, 0}));
    EXPECT_FALSE(tapEventFor({EV_KEY, BTN_MIDDLE, 2}));
    EXPECT_FALSE(tapEventFor({EV_REL, REL_X, 1}));
}

TEST(TapEventTranslator, MediaKeysBecomeSystemDefinedEvents) {
    const auto down = tapEventFor({EV_KEY, KEY_VOLUMEUP, 1});
    ASSERT_TRUE(down && down->systemDefined);
    EXPECT_EQ(down->type, tapevent::systemDefined);
    EXPECT_EQ(down->systemDefined->subtype, 8);
    EXPECT_EQ(down->systemDefined->data1, 0x0A00);
    const auto up = tapEventFor({EV_KEY, KEY_PREVIOUSSONG, 0});
    ASSERT_TRUE(up && up->systemDefined);
    EXPECT_EQ(up->systemDefined->data1, (18 << 16) | 0x0B00);
    EXPECT_FALSE(tapEventFor({EV_KEY, KEY_BRIGHTNESSUP, 1}));
}

} // namespace
} // namespace bindwell::linuxplatform
