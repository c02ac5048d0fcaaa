#include "model/ShortcutCatalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace bindwell {
namespace {

// The picker keys its rows by label and the repeat filter keys on it, so a
// label shared by two actions would make one of them unreachable.
TEST(ShortcutCatalogue, EveryLabelNamesOneActionOnly) {
    std::set<std::string> labels;
    size_t presets = 0;
    for (const PresetGroup& group : presetGroups()) {
        for (const RemapAction& preset : group.presets) {
            EXPECT_EQ(preset.kind(), RemapAction::Kind::keystroke) << preset.displayName();
            labels.insert(preset.displayName());
            ++presets;
        }
    }
    EXPECT_EQ(labels.size(), presets);
    for (const auto kind : RemapAction::payloadFreeKinds()) {
        EXPECT_FALSE(labels.contains(RemapAction::payloadFree(kind).displayName()));
    }
}

} // namespace
} // namespace bindwell
