#include "engine/core/DedupeGate.h"

#include "model/VirtualKeyCodes.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

RemapAction keystroke(int64_t keyCode, std::string name) {
    return RemapAction::keystroke({.keyCode = keyCode, .modifiers = {}, .displayName = name});
}

TEST(DedupeGate, ActionsShareAnEntryExactlyWhenTheirDisplayNamesAreEqual) {
    DedupeGate gate;
    ASSERT_TRUE(gate.admitPress(keystroke(vk::kC, "Copy"), 10.0).admitted);
    // Another key code under the same name is the same entry...
    EXPECT_FALSE(gate.admitPress(keystroke(vk::kV, "Copy"), 10.02).admitted);
    // ...while the same key code under another name is not.
    EXPECT_TRUE(gate.admitPress(keystroke(vk::kC, "Copy again"), 10.02).admitted);
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
