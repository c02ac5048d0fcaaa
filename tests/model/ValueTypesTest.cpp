#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"
#include "model/RemapAction.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

KeystrokeAction copyKeystroke(std::string name) {
    return {.keyCode = 8, .modifiers = {.command = true}, .displayName = std::move(name)};
}

ButtonMapping mapping(std::string id, HIDButtonSource source) {
    return {.id = std::move(id), .source = source, .action = {}, .label = {}, .isRemappable = true};
}

DeviceProfile profileOf(std::vector<ButtonMapping> mappings) {
    DeviceProfile profile;
    profile.buttonMappings = std::move(mappings);
    return profile;
}

std::optional<std::string> foundID(const DeviceProfile& profile, int64_t page, int64_t usage,
                                   int64_t value) {
    const auto found = profile.findMapping(page, usage, value);
    return found ? std::optional(found->id) : std::nullopt;
}

TEST(ActionEquality, NameAndKindTakePartAndPayloadFreeCasesEqualOnlyThemselves) {
    const auto copy = RemapAction::keystroke(copyKeystroke("Ctrl+C Copy"));
    EXPECT_NE(copy, RemapAction::keystroke(copyKeystroke("Copy it")));
    EXPECT_EQ(copy, RemapAction::keystroke(copyKeystroke("Ctrl+C Copy")));
    // The same keys held or tapped are two different actions.
    EXPECT_NE(RemapAction::holdKeystroke(copyKeystroke("Ctrl+C Copy")), copy);

    for (const auto a : RemapAction::payloadFreeKinds()) {
        for (const auto b : RemapAction::payloadFreeKinds()) {
            EXPECT_EQ(RemapAction::payloadFree(a) == RemapAction::payloadFree(b), a == b);
        }
    }
    EXPECT_EQ(RemapAction(), RemapAction::none());
    EXPECT_THROW((void)RemapAction::payloadFree(RemapAction::Kind::keystroke),
                 std::invalid_argument);
}

// A concrete usage matches whatever value it reports; an array element only
// its own value; neither kind stands in for the other; the first entry wins.
TEST(FindMapping, FollowsTheSourceKinds) {
    const auto profile = profileOf({
        mapping("play", {12, 0xCD, std::nullopt}),
        mapping("bare", {12, kArrayElementUsage, std::nullopt}),
        mapping("up", {12, kArrayElementUsage, 233}),
        mapping("concrete", {12, 0xEA, std::nullopt}),
        mapping("first", {9, 3, std::nullopt}),
        mapping("second", {9, 3, std::nullopt}),
    });
    struct Case {
        int64_t page, usage, value;
        std::optional<std::string> found;
    };
    const std::vector<Case> cases = {
        {12, 0xCD, 1, "play"},
        {12, 0xCD, 0, "play"},
        {9, 0xCD, 1, std::nullopt},
        {12, 0xCE, 1, std::nullopt},
        {12, kArrayElementUsage, 233, "up"},
        {12, kArrayElementUsage, 0xEA, std::nullopt},
        {12, kArrayElementUsage, 0, std::nullopt},
        {12, 0xEA, 233, "concrete"},
        {9, 3, 1, "first"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(foundID(profile, c.page, c.usage, c.value), c.found) << c.usage << " " << c.value;
    }
    EXPECT_EQ(foundID(DeviceProfile{}, 12, 0xCD, 1), std::nullopt);
}

DetectedHIDDevice device(std::string name, std::string manufacturer, std::string transport) {
    return {.id = DetectedHIDDevice::makeID(0x1A2B, 0x3C),
            .name = std::move(name),
            .manufacturer = std::move(manufacturer),
            .vendorID = 0x1A2B,
            .productID = 0x3C,
            .transport = std::move(transport)};
}

TEST(DetectedDevice, DisplayNameFallsBackToManufacturer) {
    EXPECT_EQ(device("Pad", "Acme", "USB").displayName(), "Pad");
    EXPECT_EQ(device("", "Acme", "USB").displayName(), "Acme Device");
    EXPECT_EQ(device("", "", "USB").displayName(), " Device");
    EXPECT_EQ(device("Unknown", "Unknown", "USB").displayName(), "Unknown Device");
    EXPECT_EQ(device("unknown", "Acme", "USB").displayName(), "unknown");
}

TEST(DetectedDevice, DetailTextLeavesOutRedundantOrUnknownManufacturer) {
    EXPECT_EQ(device("Pad", "Acme", "USB").detailText(), "Acme · USB · VID:0x1A2B PID:0x3C");
    EXPECT_EQ(device("Acme Pad", "Acme", "USB").detailText(), "USB · VID:0x1A2B PID:0x3C");
    EXPECT_EQ(device("Pad", "Unknown", "Unknown").detailText(), "Unknown · VID:0x1A2B PID:0x3C");
    // The substring test is case-sensitive.
    EXPECT_EQ(device("acme pad", "Acme", "USB").detailText(), "Acme · USB · VID:0x1A2B PID:0x3C");
}

} // namespace
} // namespace bindwell
