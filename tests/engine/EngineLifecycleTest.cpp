#include "EngineHarness.h"
#include "LogCapture.h"
#include "platform/sim/SimEventTap.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kVolumeUp = 0xE9;

DeviceProfile heldClickProfile() {
    return makeProfile({makeMapping("click", 0x0C, kVolumeUp, RemapAction::holdLeftClick())});
}

// A second start opens nothing more and a second stop changes nothing; the
// running state is announced once per change.
TEST(EngineLifecycle, StartAndStopAnnounceEachChangeOnceAndScopeTheTapToTheTarget) {
    EngineHarness harness({heldClickProfile()});
    QSignalSpy running(&harness.engine, &HIDInterceptor::isRunningChanged);
    harness.engine.start();
    LogCapture log;
    harness.engine.start();
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(harness.platform.createdManagerCount(), 1);
    ASSERT_NE(harness.platform.tap(), nullptr);
    EXPECT_TRUE(harness.platform.tap()->isEnabled());
    EXPECT_EQ(harness.platform.tap()->scope().vendorID, kRemoteVendor);
    EXPECT_EQ(harness.platform.tap()->scope().productID, kRemoteProduct);
    harness.engine.stop();
    harness.engine.stop();
    EXPECT_EQ(running.count(), 2);
}

TEST(EngineLifecycle, StopReleasesDevicesButKeepsProfileTextAndTimes) {
    EngineHarness harness({heldClickProfile()});
    auto seized = harness.platform.addInterface("a", kRemoteVendor, kRemoteProduct, "Remote");
    auto refused = harness.platform.addInterface("b", kRemoteVendor, kRemoteProduct, "Remote");
    refused->setSeizeResult(-16);
    harness.engine.start();
    EngineHarness::runLoop();
    harness.press("a", kVolumeUp);
    ASSERT_TRUE(seized->isSeized());
    ASSERT_EQ(harness.engine.session().trackedDevices().size(), 2U);

    harness.engine.stop();
    EXPECT_FALSE(seized->isSeized());
    EXPECT_TRUE(harness.engine.session().trackedDevices().empty());
    EXPECT_EQ(harness.platform.openManagerCount(), 0);
    EXPECT_NE(harness.engine.activeProfile(), nullptr);
    EXPECT_EQ(harness.engine.lastEvent(), "Label click → Hold Left Click (Drag)");
    // The repeat filter still knows the press: at once after a new start,
    // the same action is a repeat.
    harness.engine.start();
    EngineHarness::runLoop();
    LogCapture log;
    harness.press("a", kVolumeUp);
    EXPECT_TRUE(
        log.contains("[Bindwell] ⏭️ Deduplicated Hold Left Click (Drag) (fired 0ms ago)"));
}

TEST(EngineLifecycle, LastEventIsAssignedOnTheEventLoopNotInsideTheCallback) {
    EngineHarness harness({heldClickProfile()});
    harness.engine.start();
    harness.plugIn("a");
    QSignalSpy changes(&harness.engine, &HIDInterceptor::lastEventChanged);
    harness.platform.sendValue("a", 0x0C, kVolumeUp, 1);
    harness.platform.sendValue("a", 0x0C, kVolumeUp, 0);
    EXPECT_EQ(harness.engine.lastEvent(), "");
    EXPECT_EQ(changes.count(), 0);
    EngineHarness::runLoop();
    // Both assignments arrive, in order, although the text is the same.
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(harness.engine.lastEventText(), "Label click → Hold Left Click (Drag)");
}

} // namespace
} // namespace bindwell::test
