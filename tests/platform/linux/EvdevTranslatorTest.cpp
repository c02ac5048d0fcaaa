#include "platform/linux/EvdevTranslator.h"

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
        {"keys without a scan code are mapped back by table",
         Node::hidVariables,
         {{EV_KEY, KEY_NEXTSONG, 1},
          {EV_KEY, KEY_PREVIOUSSONG, 0},
          {EV_KEY, BTN_LEFT, 1},
          {EV_KEY, BTN_EXTRA, 0},
          {EV_KEY, KEY_A, 1}},
         {{0x0C, 0xB5, 1}, {0x0C, 0xB6, 0}, {0x09, 1, 1}, {0x09, 5, 0}}},
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

} // namespace
} // namespace bindwell::linuxplatform
