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

TEST(ShortcutCatalogue, PresetsCarryTheirKeysAndFlags) {
    struct Row {
        std::string_view label;
        int64_t keyCode;
        KeyModifiers modifiers;
    };
    const Row rows[] = {
        {"⌘C Copy", 8, {.command = true}},
        {"⌘⇧Z Redo", 6, {.command = true, .shift = true}},
        {"⌘Space Spotlight", 49, {.command = true}},
        {"⌘⇧⌃4 Screenshot to Clipboard", 21, {.command = true, .shift = true, .control = true}},
        {"⌘⇧5 Screenshot/Recording", 23, {.command = true, .shift = true}},
        {"⌃⌘F Full Screen Toggle", 3, {.command = true, .control = true}},
        {"⌘` Switch Window", 50, {.command = true}},
        {"⌘⌥W Close All Windows", 13, {.command = true, .option = true}},
        {"⌘, Preferences", 43, {.command = true}},
        {"⌘⇧N New Folder", 45, {.command = true, .shift = true}},
        {"⌘⌥Esc Force Quit", 53, {.command = true, .option = true}},
        {"⌃⌘Space Emoji Picker", 49, {.command = true, .control = true}},
        {"⌘N New", 45, {.command = true}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const KeystrokeAction* preset = findPreset(row.label);
        ASSERT_NE(preset, nullptr);
        EXPECT_EQ(preset->keyCode, row.keyCode);
        EXPECT_EQ(preset->modifiers, row.modifiers);
    }
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
