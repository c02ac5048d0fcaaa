#include "model/LearnedButtons.h"

#include "model/UsageNames.h"
#include "support/Text.h"

#include <algorithm>
#include <string_view>

namespace bindwell {
namespace {

constexpr std::string_view kLearnedMark = "_learned_";

} // namespace

bool isLearnedMapping(const ButtonMapping& mapping) {
    return contains(mapping.id, kLearnedMark);
}

bool learnsButtons(const DeviceProfile& profile) {
    return std::all_of(profile.buttonMappings.begin(), profile.buttonMappings.end(),
                       isLearnedMapping);
}

ButtonMapping learnedMapping(const DeviceProfile& profile, int64_t usagePage, int64_t usageID,
                             uint8_t modifiers) {
    // A plain key keeps the id it had before combinations were learned.
    const std::string combination = modifiers == 0 ? "" : "_" + std::to_string(modifiers);
    return {
        .id = std::to_string(profile.vendorID) + "_" + std::to_string(profile.productID) +
              std::string(kLearnedMark) + std::to_string(usagePage) + "_" +
              std::to_string(usageID) + combination,
        .source = {usagePage, usageID, std::nullopt, modifiers},
        .action = RemapAction::none(),
        .label = usageName(usagePage, usageID, modifiers),
        .isRemappable = true,
    };
}

} // namespace bindwell
