#include "model/DefaultProfiles.h"

#include "support/Text.h"

#include <optional>
#include <span>

namespace bindwell {
namespace {

constexpr int64_t kRelaconVendorID = 0x056E;
constexpr int64_t kRelaconProductID = 0x0156;

struct LayoutRow {
    const char* suffix;
    int64_t usagePage;
    int64_t usageID;
    std::optional<int64_t> matchValue;
    const char* label;
    RemapAction::Kind action;
    bool isRemappable;
};

using K = RemapAction::Kind;
constexpr int64_t kConsumer = kConsumerUsagePage;
constexpr int64_t kButton = kButtonUsagePage;
constexpr int64_t kArray = kArrayElementUsage;
constexpr std::nullopt_t kNoMatch = std::nullopt;

const LayoutRow kGenericLayout[] = {
    {"_play_pause", kConsumer, 0xCD, kNoMatch, "Play/Pause", K::fnKey, true},
    {"_vol_up", kConsumer, 0xE9, kNoMatch, "Volume Up", K::holdLeftClick, true},
    {"_vol_down", kConsumer, 0xEA, kNoMatch, "Volume Down", K::escapeKey, true},
    {"_skip_fwd", kConsumer, 0xB5, kNoMatch, "Skip Forward", K::tabKey, true},
    {"_skip_back", kConsumer, 0xB6, kNoMatch, "Skip Back", K::enterKey, true},
    {"_vol_up_arr", kConsumer, kArray, 233, "Volume Up (Alt)", K::holdLeftClick, true},
    {"_vol_down_arr", kConsumer, kArray, 234, "Volume Down (Alt)", K::escapeKey, true},
    {"_btn3", kButton, 3, kNoMatch, "Middle Click", K::none, true},
    {"_btn4", kButton, 4, kNoMatch, "Side Button 1 (Back)", K::none, true},
    {"_btn5", kButton, 5, kNoMatch, "Side Button 2 (Forward)", K::none, true},
    {"_left_click", kButton, 1, kNoMatch, "Left Click", K::none, false},
    {"_right_click", kButton, 2, kNoMatch, "Right Click", K::none, false},
};

const LayoutRow kRelaconLayout[] = {
    {"_play_pause", kConsumer, 0xCD, kNoMatch, "Play/Pause", K::fnKey, true},
    {"_vol_up", kConsumer, kArray, 233, "Volume Up", K::holdLeftClick, true},
    {"_vol_down", kConsumer, kArray, 234, "Volume Down", K::escapeKey, true},
    {"_skip_fwd", kConsumer, 0xB5, kNoMatch, "Skip Forward", K::tabKey, true},
    {"_skip_back", kConsumer, 0xB6, kNoMatch, "Skip Back", K::enterKey, true},
    {"_btn4", kButton, 4, kNoMatch, "Left of Scroll Wheel", K::none, true},
    {"_btn5", kButton, 5, kNoMatch, "Right of Scroll Wheel", K::none, true},
    {"_btn3", kButton, 3, kNoMatch, "Scroll Wheel Press", K::none, true},
    {"_left_trigger", kButton, 1, kNoMatch, "Bottom Trigger (Left Click)", K::none, false},
    {"_right_trigger", kButton, 2, kNoMatch, "Top Trigger (Right Click)", K::none, false},
};

// Letters and digits kept, anything else made "_", so the id stays a plain
// word whatever a serial number or port path holds.
std::string idSuffix(const std::string& unitName) {
    std::string suffix = "_";
    for (const char c : unitName) {
        const bool isPlain =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        suffix.push_back(isPlain ? c : '_');
    }
    return suffix;
}

DeviceProfile buildProfile(const DetectedHIDDevice& device, std::span<const LayoutRow> layout) {
    const std::string vendor = std::to_string(device.vendorID);
    const std::string product = std::to_string(device.productID);
    // A lone unit gets a profile for its whole model, exactly as before twins
    // were told apart, so a stored file keeps its meaning.
    const bool namesUnit = device.hasTwin && !device.unitName().empty();
    DeviceProfile profile{
        .id = "device_" + vendor + "_" + product + (namesUnit ? idSuffix(device.unitName()) : ""),
        .deviceName = device.displayName(),
        .vendorID = device.vendorID,
        .productID = device.productID,
        .serialNumber = namesUnit ? device.serialNumber : std::string(),
        .physicalPath =
            namesUnit && device.serialNumber.empty() ? device.physicalPath : std::string(),
        .buttonMappings = {},
        .isActive = true,
    };
    profile.buttonMappings.reserve(layout.size());
    for (const LayoutRow& row : layout) {
        profile.buttonMappings.push_back({
            .id = vendor + "_" + product + row.suffix,
            .source = {row.usagePage, row.usageID, row.matchValue},
            .action = RemapAction::payloadFree(row.action),
            .label = row.label,
            .isRemappable = row.isRemappable,
        });
    }
    return profile;
}

} // namespace

bool isRelaconDevice(const DetectedHIDDevice& device) {
    return contains(toLowerAscii(device.name), "relacon") ||
           (device.vendorID == kRelaconVendorID && device.productID == kRelaconProductID);
}

DeviceProfile genericProfile(const DetectedHIDDevice& device) {
    return buildProfile(device, kGenericLayout);
}

DeviceProfile relaconProfile(const DetectedHIDDevice& device) {
    return buildProfile(device, kRelaconLayout);
}

DeviceProfile defaultProfile(const DetectedHIDDevice& device) {
    return isRelaconDevice(device) ? relaconProfile(device) : genericProfile(device);
}

} // namespace bindwell
