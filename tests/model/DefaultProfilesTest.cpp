#include "model/DefaultProfiles.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

using K = RemapAction::Kind;
constexpr int64_t kArray = kArrayElementUsage;

struct Row {
    std::string_view id;
    int64_t page;
    int64_t usage;
    std::optional<int64_t> matchValue;
    std::string_view label;
    K action;
    bool isRemappable;
};

DetectedHIDDevice device(std::string name, int64_t vendor, int64_t product) {
    return {.id = DetectedHIDDevice::makeID(vendor, product),
            .name = std::move(name),
            .manufacturer = "Acme",
            .vendorID = vendor,
            .productID = product,
            .transport = "USB"};
}

void expectLayout(const DeviceProfile& profile, const std::vector<Row>& rows) {
    ASSERT_EQ(profile.buttonMappings.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].id);
        const ButtonMapping& m = profile.buttonMappings[i];
        EXPECT_EQ(m.id, rows[i].id);
        EXPECT_EQ(m.source, (HIDButtonSource{rows[i].page, rows[i].usage, rows[i].matchValue}));
        EXPECT_EQ(m.label, rows[i].label);
        EXPECT_EQ(m.action, RemapAction::payloadFree(rows[i].action));
        EXPECT_EQ(m.isRemappable, rows[i].isRemappable);
    }
}

TEST(DefaultLayouts, GenericLayoutRowByRow) {
    const auto profile = genericProfile(device("Pad", 1, 2));
    expectLayout(profile,
                 {
                     {"1_2_play_pause", 12, 205, {}, "Play/Pause", K::fnKey, true},
                     {"1_2_vol_up", 12, 233, {}, "Volume Up", K::holdLeftClick, true},
                     {"1_2_vol_down", 12, 234, {}, "Volume Down", K::escapeKey, true},
                     {"1_2_skip_fwd", 12, 181, {}, "Skip Forward", K::tabKey, true},
                     {"1_2_skip_back", 12, 182, {}, "Skip Back", K::enterKey, true},
                     {"1_2_vol_up_arr", 12, kArray, 233, "Volume Up (Alt)", K::holdLeftClick, true},
                     {"1_2_vol_down_arr", 12, kArray, 234, "Volume Down (Alt)", K::escapeKey, true},
                     {"1_2_btn3", 9, 3, {}, "Middle Click", K::none, true},
                     {"1_2_btn4", 9, 4, {}, "Side Button 1 (Back)", K::none, true},
                     {"1_2_btn5", 9, 5, {}, "Side Button 2 (Forward)", K::none, true},
                     {"1_2_left_click", 9, 1, {}, "Left Click", K::none, false},
                     {"1_2_right_click", 9, 2, {}, "Right Click", K::none, false},
                 });
}

TEST(DefaultLayouts, RelaconLayoutRowByRow) {
    const auto profile = relaconProfile(device("Relacon", 1390, 342));
    expectLayout(
        profile,
        {
            {"1390_342_play_pause", 12, 205, {}, "Play/Pause", K::fnKey, true},
            {"1390_342_vol_up", 12, kArray, 233, "Volume Up", K::holdLeftClick, true},
            {"1390_342_vol_down", 12, kArray, 234, "Volume Down", K::escapeKey, true},
            {"1390_342_skip_fwd", 12, 181, {}, "Skip Forward", K::tabKey, true},
            {"1390_342_skip_back", 12, 182, {}, "Skip Back", K::enterKey, true},
            {"1390_342_btn4", 9, 4, {}, "Left of Scroll Wheel", K::none, true},
            {"1390_342_btn5", 9, 5, {}, "Right of Scroll Wheel", K::none, true},
            {"1390_342_btn3", 9, 3, {}, "Scroll Wheel Press", K::none, true},
            {"1390_342_left_trigger", 9, 1, {}, "Bottom Trigger (Left Click)", K::none, false},
            {"1390_342_right_trigger", 9, 2, {}, "Top Trigger (Right Click)", K::none, false},
        });
}

TEST(DefaultLayouts, ProfileFieldsComeFromTheDevice) {
    const auto profile = defaultProfile(device("Pad", 1390, 343));
    EXPECT_EQ(profile.id, "device_1390_343");
    EXPECT_EQ(profile.deviceName, "Pad");
    EXPECT_EQ(profile.vendorID, 1390);
    EXPECT_EQ(profile.productID, 343);
    EXPECT_TRUE(profile.isActive);
    EXPECT_EQ(defaultProfile(device("Unknown", 5, 6)).deviceName, "Acme Device");
    auto nameless = device("", 5, 6);
    nameless.manufacturer.clear();
    EXPECT_EQ(defaultProfile(nameless).deviceName, " Device");
}

TEST(DefaultLayouts, RelaconIsChosenByNameInAnyCaseOrByIDs) {
    EXPECT_EQ(defaultProfile(device("My RELACON remote", 1, 2)).buttonMappings.size(), 10U);
    EXPECT_EQ(defaultProfile(device("Pad", 1390, 342)).buttonMappings.size(), 10U);
    EXPECT_EQ(defaultProfile(device("Pad", 1390, 343)).buttonMappings.size(), 12U);
    EXPECT_EQ(defaultProfile(device("Pad", 1391, 342)).buttonMappings.size(), 12U);
    // The name test reads the raw name, not the display name built from the manufacturer.
    auto unknown = device("Unknown", 1, 2);
    unknown.manufacturer = "Relacon";
    EXPECT_EQ(defaultProfile(unknown).buttonMappings.size(), 12U);
}

TEST(DefaultLayouts, BuildingTwiceGivesTheSameIDs) {
    const auto first = defaultProfile(device("Pad", 7, 8));
    const auto second = defaultProfile(device("Pad", 7, 8));
    ASSERT_EQ(first.buttonMappings.size(), second.buttonMappings.size());
    EXPECT_EQ(first.id, second.id);
    for (size_t i = 0; i < first.buttonMappings.size(); ++i) {
        EXPECT_EQ(first.buttonMappings[i].id, second.buttonMappings[i].id);
    }
}

} // namespace
} // namespace bindwell
