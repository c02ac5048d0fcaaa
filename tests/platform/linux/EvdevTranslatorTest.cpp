#include "platform/linux/EvdevTranslator.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

constexpr uint32_t kArrayElement = 0xFFFFFFFF;

EvdevTranslator consumerArrayTranslator() {
    return EvdevTranslator([](uint32_t page, uint32_t) { return page == 0x0C; });
}

std::vector<HidRecord> feed(EvdevTranslator& translator, const std::vector<EvdevEvent>& events) {
    std::vector<HidRecord> out;
    for (const EvdevEvent& event : events) {
        const HidRecords records = translator.translate(event);
        out.insert(out.end(), records.begin(), records.end());
    }
    return out;
}

TEST(EvdevTranslator, ScanCodeNamesTheUsageOfTheFollowingKey) {
    EvdevTranslator translator([](uint32_t, uint32_t) { return false; });
    // A vendor usage the kernel maps to an unrelated key code: the scan code wins.
    const auto records =
        feed(translator,
             {{EV_MSC, MSC_SCAN, 0x000C0041}, {EV_KEY, KEY_MENU, 1}, {EV_SYN, SYN_REPORT, 0}});
    EXPECT_EQ(records, (std::vector<HidRecord>{{0x0C, 0x41, 1}}));
}

TEST(EvdevTranslator, ArrayMembersAlsoReportTheArrayElement) {
    EvdevTranslator translator = consumerArrayTranslator();
    const auto records = feed(translator, {{EV_MSC, MSC_SCAN, 0x000C00E9},
                                           {EV_KEY, KEY_VOLUMEUP, 1},
                                           {EV_SYN, SYN_REPORT, 0},
                                           {EV_MSC, MSC_SCAN, 0x000C00E9},
                                           {EV_KEY, KEY_VOLUMEUP, 0},
                                           {EV_SYN, SYN_REPORT, 0}});
    EXPECT_EQ(records, (std::vector<HidRecord>{{0x0C, 0xE9, 1},
                                               {0x0C, kArrayElement, 0xE9},
                                               {0x0C, 0xE9, 0},
                                               {0x0C, kArrayElement, 0}}));
}

TEST(EvdevTranslator, VariableFieldsAndOtherPagesReportOnlyTheUsage) {
    EvdevTranslator variable([](uint32_t, uint32_t) { return false; });
    EXPECT_EQ(feed(variable, {{EV_MSC, MSC_SCAN, 0x000C00CD}, {EV_KEY, KEY_PLAYPAUSE, 1}}),
              (std::vector<HidRecord>{{0x0C, 0xCD, 1}}));
    // Only consumer usages have the array form, even if the predicate says yes.
    EvdevTranslator everything([](uint32_t, uint32_t) { return true; });
    EXPECT_EQ(feed(everything, {{EV_MSC, MSC_SCAN, 0x00090003}, {EV_KEY, BTN_MIDDLE, 1}}),
              (std::vector<HidRecord>{{0x09, 3, 1}}));
}

TEST(EvdevTranslator, AutorepeatIsDroppedAndConsumesItsScanCode) {
    EvdevTranslator translator = consumerArrayTranslator();
    const auto records = feed(
        translator,
        {{EV_MSC, MSC_SCAN, 0x000C00EA}, {EV_KEY, KEY_VOLUMEDOWN, 2}, {EV_SYN, SYN_REPORT, 0}});
    EXPECT_TRUE(records.empty());
}

TEST(EvdevTranslator, KeysWithoutScanCodeAreMappedBackByTable) {
    EvdevTranslator translator([](uint32_t, uint32_t) { return false; });
    EXPECT_EQ(
        feed(translator, {{EV_KEY, KEY_NEXTSONG, 1},
                          {EV_KEY, KEY_PREVIOUSSONG, 0},
                          {EV_KEY, BTN_LEFT, 1},
                          {EV_KEY, BTN_EXTRA, 0},
                          {EV_KEY, KEY_A, 1}}),
        (std::vector<HidRecord>{{0x0C, 0xB5, 1}, {0x0C, 0xB6, 0}, {0x09, 1, 1}, {0x09, 5, 0}}));
}

TEST(EvdevTranslator, ScanCodeCountsOnlyInItsFrameAndOnlyFromHidNodes) {
    EvdevTranslator translator([](uint32_t, uint32_t) { return false; });
    const auto records =
        feed(translator,
             {{EV_MSC, MSC_SCAN, 0x000C0041}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_MUTE, 1}});
    EXPECT_EQ(records, (std::vector<HidRecord>{{0x0C, 0xE2, 1}}));
    // A PS/2 keyboard's mute key: MSC_SCAN carries the raw scan code 0xa0.
    EvdevTranslator ps2([](uint32_t, uint32_t) { return false; }, false);
    EXPECT_EQ(feed(ps2, {{EV_MSC, MSC_SCAN, 0xA0}, {EV_KEY, KEY_MUTE, 1}}),
              (std::vector<HidRecord>{{0x0C, 0xE2, 1}}));
}

TEST(EvdevTranslator, RelativeAxesBecomeDesktopAndConsumerUsages) {
    EvdevTranslator translator([](uint32_t, uint32_t) { return false; });
    EXPECT_EQ(feed(translator, {{EV_REL, REL_X, -3},
                                {EV_REL, REL_Y, 4},
                                {EV_REL, REL_WHEEL, -1},
                                {EV_REL, REL_HWHEEL, 2},
                                {EV_REL, REL_WHEEL_HI_RES, -120},
                                {EV_ABS, ABS_X, 10}}),
              (std::vector<HidRecord>{
                  {0x01, 0x30, -3}, {0x01, 0x31, 4}, {0x01, 0x38, -1}, {0x0C, 0x238, 2}}));
}

} // namespace
} // namespace bindwell::linuxplatform
