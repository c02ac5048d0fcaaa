#include "engine/core/DedupeGate.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

// Which presses share an entry: the dedupe scenario.
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
