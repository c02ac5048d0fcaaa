#include "platform/linux/EvdevTranslator.h"

#include "platform/linux/HidKeyTable.h"
#include "platform/linux/VirtualKeyTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

constexpr uint32_t kArrayElement = 0xFFFFFFFF;

// A HID node whose descriptor puts consumer usages in arrays or not, and a
// PS/2 keyboard, whose scan codes are raw codes rather than usages.
enum class Node { hidArrays, hidVariables, ps2 };

struct TranslationCase {
    const char* name;
    Node node;
    std::vector<EvdevEvent> events;
    std::vector<HidRecord> records;
};

// Each case feeds a fresh translator one node's events in order.
TEST(EvdevTranslator, EventsBecomeTheRecordsTheHidLayerWouldReport) {
    const std::vector<TranslationCase> cases{
        {"a vendor usage the kernel maps to an unrelated key: the scan code wins",
         Node::hidVariables,
         {{EV_MSC, MSC_SCAN, 0x000C0041}, {EV_KEY, KEY_MENU, 1}, {EV_SYN, SYN_REPORT, 0}},
         {{0x0C, 0x41, 1}}},
        {"array members also report the array element",
         Node::hidArrays,
         {{EV_MSC, MSC_SCAN, 0x000C00E9},
          {EV_KEY, KEY_VOLUMEUP, 1},
          {EV_SYN, SYN_REPORT, 0},
          {EV_MSC, MSC_SCAN, 0x000C00E9},
          {EV_KEY, KEY_VOLUMEUP, 0},
          {EV_SYN, SYN_REPORT, 0}},
         {{0x0C, 0xE9, 1}, {0x0C, kArrayElement, 0xE9}, {0x0C, 0xE9, 0}, {0x0C, kArrayElement, 0}}},
        {"a variable field reports only the usage",
         Node::hidVariables,
         {{EV_MSC, MSC_SCAN, 0x000C00CD}, {EV_KEY, KEY_PLAYPAUSE, 1}},
         {{0x0C, 0xCD, 1}}},
        {"only consumer usages have the array form",
         Node::hidArrays,
         {{EV_MSC, MSC_SCAN, 0x00090003}, {EV_KEY, BTN_MIDDLE, 1}},
         {{0x09, 3, 1}}},
        {"autorepeat is dropped and consumes its scan code",
         Node::hidArrays,
         {{EV_MSC, MSC_SCAN, 0x000C00EA}, {EV_KEY, KEY_VOLUMEDOWN, 2}, {EV_KEY, KEY_MUTE, 1}},
         {{0x0C, 0xE2, 1}, {0x0C, kArrayElement, 0xE2}}},
        {"keys without a scan code are mapped back by table, a shared one to the consumer page",
         Node::hidVariables,
         {{EV_KEY, KEY_NEXTSONG, 1},
          {EV_KEY, KEY_PREVIOUSSONG, 0},
          {EV_KEY, BTN_LEFT, 1},
          {EV_KEY, BTN_EXTRA, 0},
          {EV_KEY, KEY_A, 1},
          {EV_KEY, KEY_F13, 0},
          {EV_KEY, KEY_VOLUMEUP, 1},
          {EV_KEY, KEY_PROG1, 1}},
         {{0x0C, 0xB5, 1},
          {0x0C, 0xB6, 0},
          {0x09, 1, 1},
          {0x09, 5, 0},
          {0x07, 0x04, 1},
          {0x07, 0x68, 0},
          {0x0C, 0xE9, 1}}},
        {"keyboard keys keep the usage of their scan code",
         Node::hidArrays,
         {{EV_MSC, MSC_SCAN, 0x0007004E}, {EV_KEY, KEY_PAGEDOWN, 1}},
         {{0x07, 0x4E, 1}}},
        {"a scan code counts only in its own frame",
         Node::hidVariables,
         {{EV_MSC, MSC_SCAN, 0x000C0041}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_MUTE, 1}},
         {{0x0C, 0xE2, 1}}},
        {"a PS/2 keyboard's scan code is raw (mute is 0xa0), not a usage",
         Node::ps2,
         {{EV_MSC, MSC_SCAN, 0xA0}, {EV_KEY, KEY_MUTE, 1}},
         {{0x0C, 0xE2, 1}}},
        {"relative axes become desktop and consumer usages",
         Node::hidVariables,
         {{EV_REL, REL_X, -3},
          {EV_REL, REL_Y, 4},
          {EV_REL, REL_WHEEL, -1},
          {EV_REL, REL_HWHEEL, 2},
          {EV_REL, REL_WHEEL_HI_RES, -120},
          {EV_ABS, ABS_X, 10}},
         {{0x01, 0x30, -3}, {0x01, 0x31, 4}, {0x01, 0x38, -1}, {0x0C, 0x238, 2}}},
    };
    for (const TranslationCase& c : cases) {
        EvdevTranslator translator(
            [arrays = c.node == Node::hidArrays](uint32_t, uint32_t) { return arrays; },
            c.node != Node::ps2);
        std::vector<HidRecord> records;
        for (const EvdevEvent& event : c.events) {
            const HidRecords out = translator.translate(event);
            records.insert(records.end(), out.begin(), out.end());
        }
        EXPECT_EQ(records, c.records) << c.name;
    }
}

// The table both ways: every key the kernel makes of a keyboard usage leads
// back to a usage it makes that key of, and the virtual keyboard can post it.
TEST(HidKeyTable, KeysAndUsagesLeadBackToEachOther) {
    const std::vector<std::pair<uint16_t, HidUsage>> rows{
        {KEY_PAGEDOWN, {0x07, 0x4E}},  {KEY_F5, {0x07, 0x3E}},       {KEY_B, {0x07, 0x05}},
        {KEY_DOT, {0x07, 0x37}},       {KEY_F24, {0x07, 0x73}},      {KEY_LEFTCTRL, {0x07, 0xE0}},
        {KEY_RIGHTMETA, {0x07, 0xE7}}, {KEY_VOLUMEUP, {0x0C, 0xE9}}, {BTN_SIDE, {0x09, 4}},
    };
    for (const auto& [code, usage] : rows) {
        EXPECT_EQ(hidUsageForEvdevKey(code), usage) << code;
        EXPECT_EQ(evdevKeyForHidUsage(usage), code) << code;
    }
    EXPECT_EQ(evdevKeyForHidUsage({0x07, 0x80}), KEY_VOLUMEUP);
    EXPECT_EQ(evdevKeyForHidUsage({0x07, 0x32}), KEY_BACKSLASH);
    EXPECT_EQ(evdevKeyForHidUsage({0x07, 0x03}), std::nullopt); // an error code, no key
    const std::span<const uint16_t> postable = postableKeys();
    for (const uint16_t code : keyboardPageKeys()) {
        const std::optional<HidUsage> usage = hidUsageForEvdevKey(code);
        ASSERT_TRUE(usage) << code;
        EXPECT_EQ(evdevKeyForHidUsage(*usage), code) << code;
        EXPECT_NE(std::find(postable.begin(), postable.end(), code), postable.end()) << code;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
