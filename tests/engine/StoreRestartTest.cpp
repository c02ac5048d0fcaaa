#include "EngineHarness.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kVolumeUp = 0xE9;

DeviceProfile remote(bool isActive = true) {
    return makeProfile({makeMapping("vu", 0x0C, kVolumeUp, RemapAction::escapeKey())}, isActive);
}

// A second profile for the same controller.
DeviceProfile other(bool isActive = false) {
    return makeProfile({makeMapping("vu", 0x0C, kVolumeUp, RemapAction::enterKey())}, isActive,
                       "other");
}

RemapAction engineActionOfVolumeUp(const HIDInterceptor& engine) {
    return engine.activeProfiles().front()->findMapping(0x0C, kVolumeUp, 1)->action;
}

// An edit of the active profile restarts a running engine (the store_restart
// scenario). Saving the active profile again does not: Reset Defaults waits
// for Save & Close, which restarts.
TEST(StoreRestart, ARunningEngineRestartsWhenAnotherProfileBecomesActiveAndOnlyThen) {
    EngineHarness harness({remote(), other()});
    harness.engine.start();
    LogCapture log;
    harness.store.updateMapping("other", "vu", RemapAction::tabKey());
    harness.store.saveProfile(other());
    DeviceProfile reset = remote();
    reset.buttonMappings[0].action = RemapAction::tabKey();
    harness.store.saveProfile(reset);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(engineActionOfVolumeUp(harness.engine), RemapAction::escapeKey());

    harness.store.saveProfile(other(true));
    EXPECT_EQ(harness.platform.createdManagerCount(), 2);
    EXPECT_TRUE(harness.engine.isRunning());
    EXPECT_EQ(engineActionOfVolumeUp(harness.engine), RemapAction::enterKey());
}

} // namespace
} // namespace bindwell::test
