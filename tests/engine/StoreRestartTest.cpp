#include "EngineHarness.h"
#include "LogCapture.h"

#include <QSignalSpy>
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

TEST(StoreRestart, EditOfTheActiveProfileRestartsARunningEngineOnceWithTheEdit) {
    EngineHarness harness(twoProfiles());
    harness.engine.start();
    harness.plugIn("a");
    QSignalSpy running(&harness.engine, &HIDInterceptor::isRunningChanged);
    LogCapture log;
    harness.store.updateMapping("remote", "vu", RemapAction::tabKey());
    EXPECT_EQ(running.count(), 2);
    EXPECT_TRUE(harness.engine.isRunning());
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(), "[Bindwell] Remapping stopped"),
              1);
    EXPECT_EQ(engineActionOfVolumeUp(harness.engine), RemapAction::tabKey());
    // The restarted manager matches the controller again; its presses use the edit.
    EngineHarness::runLoop();
    harness.press("a", kVolumeUp);
    EXPECT_EQ(harness.platform.poster().descriptions(),
              (std::vector<std::string>{"post key 48 down", "post key 48 up"}));
}

TEST(StoreRestart, EditWhileStoppedOnlySaves) {
    EngineHarness harness(twoProfiles());
    LogCapture log;
    harness.store.updateMapping("remote", "vu", RemapAction::tabKey());
    EXPECT_FALSE(harness.engine.isRunning());
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(harness.platform.createdManagerCount(), 0);
    harness.engine.start();
    EXPECT_EQ(engineActionOfVolumeUp(harness.engine), RemapAction::tabKey());
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
