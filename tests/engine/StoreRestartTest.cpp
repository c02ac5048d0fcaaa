#include "EngineHarness.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kVolumeUp = 0xE9;

std::vector<DeviceProfile> twoProfiles() {
    DeviceProfile other =
        makeProfile({makeMapping("vu", 0x0C, kVolumeUp, RemapAction::enterKey())}, false, "other");
    other.vendorID = 1;
    return {makeProfile({makeMapping("vu", 0x0C, kVolumeUp, RemapAction::escapeKey())}), other};
}

RemapAction engineActionOfVolumeUp(const HIDInterceptor& engine) {
    return engine.activeProfile()->findMapping(0x0C, kVolumeUp, 1)->action;
}

TEST(StoreRestart, EditOfAnInactiveProfileLeavesARunningEngineAlone) {
    EngineHarness harness(twoProfiles());
    harness.engine.start();
    LogCapture log;
    harness.store.updateMapping("other", "vu", RemapAction::tabKey());
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(harness.platform.createdManagerCount(), 1);
    EXPECT_EQ(engineActionOfVolumeUp(harness.engine), RemapAction::escapeKey());
}

} // namespace
} // namespace bindwell::test
