#include "engine/core/DedupeGate.h"

#include "model/VirtualKeyCodes.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

RemapAction keystroke(int64_t keyCode, std::string name) {
    return RemapAction::keystroke({.keyCode = keyCode, .modifiers = {}, .displayName = name});
}

TEST(DedupeGate, KeyIsTheDisplayNameOfTheActionFollowedByTrue) {
    EXPECT_EQ(DedupeGate::key(RemapAction::escapeKey()), "Escape-true");
    EXPECT_EQ(DedupeGate::key(RemapAction::none()), "Default (No Remap)-true");
    EXPECT_EQ(DedupeGate::key(keystroke(vk::kC, "⌘C Copy")), "⌘C Copy-true");
}

TEST(DedupeGate, ActionsShareAnEntryExactlyWhenTheirDisplayNamesAreEqual) {
    DedupeGate gate;
    ASSERT_TRUE(gate.admitPress(keystroke(vk::kC, "Copy"), 10.0).admitted);
    // Another key code under the same name is the same entry...
    EXPECT_FALSE(gate.admitPress(keystroke(vk::kV, "Copy"), 10.02).admitted);
    // ...while the same key code under another name is not.
    EXPECT_TRUE(gate.admitPress(keystroke(vk::kC, "Copy again"), 10.02).admitted);
    EXPECT_EQ(gate.lastActionTime().size(), 2U);
}

TEST(DedupeGate, WindowIsMeasuredFromTheLastAdmittedPress) {
    DedupeGate gate;
    const RemapAction tab = RemapAction::tabKey();
    ASSERT_TRUE(gate.admitPress(tab, 2000.0).admitted);

    const DedupeGate::Verdict early = gate.admitPress(tab, 2000.099);
    EXPECT_FALSE(early.admitted);
    EXPECT_EQ(early.elapsedMilliseconds, 99);
    EXPECT_EQ(gate.lastActionTime().at("Tab-true"), 2000.0);

    // 2000.1 - 2000.0 is a hair below 0.1 as a double; it still counts as the full window.
    EXPECT_TRUE(gate.admitPress(tab, 2000.1).admitted);
    EXPECT_EQ(gate.lastActionTime().at("Tab-true"), 2000.1);
    EXPECT_EQ(gate.dedupeWindow(), 0.1);
}

TEST(DedupeGate, ReportedMillisecondsAreTruncatedNotRounded) {
    DedupeGate gate;
    ASSERT_TRUE(gate.admitPress(RemapAction::enterKey(), 2000.0).admitted);
    EXPECT_EQ(gate.admitPress(RemapAction::enterKey(), 2000.0599).elapsedMilliseconds, 59);
    EXPECT_EQ(gate.admitPress(RemapAction::enterKey(), 2000.06).elapsedMilliseconds, 60);
    EXPECT_EQ(gate.admitPress(RemapAction::enterKey(), 2000.0).elapsedMilliseconds, 0);
}

} // namespace
} // namespace bindwell
