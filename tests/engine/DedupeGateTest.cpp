#include "engine/core/DedupeGate.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

TEST(DedupeGate, ActionsShareAnEntryExactlyWhenTheirNamesAreEqual) {
    DedupeGate gate;
    ASSERT_TRUE(gate.admitPress(gate.slotFor("Copy"), 10.0).admitted);
    EXPECT_FALSE(gate.admitPress(gate.slotFor("Copy"), 10.02).admitted);
    EXPECT_TRUE(gate.admitPress(gate.slotFor("Copy again"), 10.02).admitted);
}

TEST(DedupeGate, ReportedMillisecondsAreTruncatedNotRoundedAndADropKeepsTheTime) {
    DedupeGate gate;
    const uint32_t enter = gate.slotFor("Enter");
    ASSERT_TRUE(gate.admitPress(enter, 2000.0).admitted);
    EXPECT_EQ(gate.admitPress(enter, 2000.0599).elapsedMilliseconds, 59);
    EXPECT_EQ(gate.admitPress(enter, 2000.06).elapsedMilliseconds, 60);
    EXPECT_EQ(gate.admitPress(enter, 2000.0).elapsedMilliseconds, 0);
    EXPECT_TRUE(gate.admitPress(enter, 2000.1).admitted);
}

} // namespace
} // namespace bindwell
