#include "platform/linux/EvdevTranslator.h"

#include "EventNotation.h"
#include "platform/linux/HidKeyTable.h"
#include "platform/linux/VirtualKeyTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

TEST(EvdevTranslator, EventsBecomeTheRecordsTheHidLayerWouldReport) {
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "evdev-translation.table", 3)) {
        const std::string& node = row.columns[0];
        EvdevTranslator translator(
            [arrays = node == "hid-arrays"](uint32_t, uint32_t) { return arrays; }, node != "ps2");
        std::vector<HidRecord> records;
        for (const EvdevEvent& event : test::eventsNamed(row.columns[1])) {
            const HidRecords out = translator.translate(event);
            records.insert(records.end(), out.begin(), out.end());
        }
        EXPECT_EQ(records, test::recordsNamed(row.columns[2])) << "line " << row.line;
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
