#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"
#include "model/RemapAction.h"
#include "support/Text.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

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

// Concrete sources match whatever value they report, array elements only
// their own value, and the first of two equal sources wins: the dispatch
// scenario. Here the page, and neither kind standing in for the other.
TEST(FindMapping, FollowsTheSourceKinds) {
    const auto profile = profileOf({
        mapping("play", {12, 0xCD, std::nullopt}),
        mapping("bare", {12, kArrayElementUsage, std::nullopt}),
        mapping("up", {12, kArrayElementUsage, 233}),
        mapping("concrete", {12, 0xEA, std::nullopt}),
    });
    EXPECT_EQ(foundID(profile, 12, 0xCD, 1), "play");
    EXPECT_EQ(foundID(profile, 9, 0xCD, 1), std::nullopt);
    EXPECT_EQ(foundID(profile, 12, kArrayElementUsage, 233), "up");
    EXPECT_EQ(foundID(profile, 12, kArrayElementUsage, 0xEA), std::nullopt);
    EXPECT_EQ(foundID(profile, 12, kArrayElementUsage, 0), std::nullopt);
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

TEST(DetectedDevice, DetailTextLeavesOutRedundantOrUnknownManufacturer) {
    EXPECT_EQ(device("Pad", "Acme", "USB").detailText(), "Acme · USB · VID:0x1A2B PID:0x3C");
    EXPECT_EQ(device("Acme Pad", "Acme", "USB").detailText(), "USB · VID:0x1A2B PID:0x3C");
    EXPECT_EQ(device("Pad", "Unknown", "Unknown").detailText(), "Unknown · VID:0x1A2B PID:0x3C");
    // The substring test is case-sensitive.
    EXPECT_EQ(device("acme pad", "Acme", "USB").detailText(), "Acme · USB · VID:0x1A2B PID:0x3C");
}

// A control, or a plain character with C1's lead byte, anywhere in 0-48 bytes.
TEST(TextValues, ControlsAreEscapedWhereverTheyStand) {
    const std::pair<std::string, std::string> marks[] = {
        {"\x1b", "\\x1b"}, {"\x7f", "\\x7f"}, {"\xc2\x9b", "\\xc2\\x9b"}, {"\xc2\xb7", "\xc2\xb7"}};
    for (const auto& [mark, escaped] : marks) {
        for (size_t length = 0; length <= 48; ++length) {
            for (size_t at = 0; at <= length; ++at) {
                const std::string before(at, 'a'), after(length - at, 'b');
                ASSERT_EQ(escapeControls(before + mark + after), before + escaped + after)
                    << "at " << at << " of " << length;
            }
        }
    }
}

} // namespace
} // namespace bindwell
