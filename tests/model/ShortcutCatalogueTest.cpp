#include "model/ShortcutCatalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace bindwell {
namespace {

const KeystrokeAction* findPreset(std::string_view label) {
    for (const PresetGroup& group : presetGroups()) {
        for (const RemapAction& preset : group.presets) {
            if (preset.displayName() == label) {
                return &preset.keystrokeAction();
            }
        }
    }
    return nullptr;
}

TEST(ShortcutCatalogue, FiveGroupsOfThirtyThreeDistinctKeystrokes) {
    const std::vector<std::pair<std::string_view, size_t>> expected{{"Common Shortcuts", 12},
                                                                    {"Screenshots", 4},
                                                                    {"Window Management", 8},
                                                                    {"Navigation & Files", 6},
                                                                    {"System", 3}};
    ASSERT_EQ(presetGroups().size(), expected.size());
    std::set<std::string> labels;
    for (size_t i = 0; i < expected.size(); ++i) {
        const PresetGroup& group = presetGroups()[i];
        EXPECT_EQ(group.title, expected[i].first);
        EXPECT_EQ(group.presets.size(), expected[i].second);
        for (const RemapAction& preset : group.presets) {
            EXPECT_TRUE(preset.isKeystroke());
            labels.insert(preset.displayName());
        }
    }
    EXPECT_EQ(labels.size(), 33U);
    // Fixed action names never collide with a preset label.
    for (const auto kind : RemapAction::payloadFreeKinds()) {
        EXPECT_FALSE(labels.contains(RemapAction::payloadFree(kind).displayName()));
    }
}

TEST(ShortcutCatalogue, FlagsComeFromTheTableNotFromTheGlyphOrder) {
    const KeystrokeAction* clipboard = findPreset("⌘⇧⌃4 Screenshot to Clipboard");
    ASSERT_NE(clipboard, nullptr);
    EXPECT_EQ(clipboard->keyCode, 21);
    EXPECT_EQ(clipboard->modifiers,
              (KeyModifiers{.command = true, .shift = true, .control = true}));
    const KeystrokeAction* fullScreen = findPreset("⌃⌘F Full Screen Toggle");
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(fullScreen->modifiers, (KeyModifiers{.command = true, .control = true}));
    EXPECT_NE(*findPreset("⌘W Close Window"), *findPreset("⌘⌥W Close All Windows"));
}

TEST(ShortcutCatalogue, AllCasesIsTheFixedActionsThenCommonShortcuts) {
    const auto cases = RemapAction::allCases();
    ASSERT_EQ(cases.size(), 22U);
    EXPECT_EQ(cases.front(), RemapAction::none());
    EXPECT_EQ(cases[9], RemapAction::undoRedo());
    EXPECT_EQ(cases[10].displayName(), "⌘C Copy");
    EXPECT_EQ(cases.back().displayName(), "⌘T New Tab");
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(cases[i].kind(), RemapAction::payloadFreeKinds()[i]);
    }
    EXPECT_TRUE(std::equal(cases.begin() + 10, cases.end(), commonShortcuts().begin()));
    EXPECT_NE(cases[10 + 3], RemapAction::undoRedo()); // "⌘Z Undo" is a preset, not undoRedo
}

} // namespace
} // namespace bindwell
