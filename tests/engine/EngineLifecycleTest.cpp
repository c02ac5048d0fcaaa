#include "EngineHarness.h"
#include "LogCapture.h"
#include "platform/sim/SimEventTap.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kVolumeUp = 0xE9;
constexpr uint32_t kPlayPause = 0xCD;

DeviceProfile heldClickProfile() {
    return makeProfile({makeMapping("click", 0x0C, kVolumeUp, RemapAction::holdLeftClick())});
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
    ASSERT_EQ(harness.engine.session().trackedInterfaceCount(), 2U);
    // The tap reaches the target device's other nodes only.
    ASSERT_NE(harness.platform.tap(), nullptr);
    EXPECT_TRUE(harness.platform.tap()->isEnabled());
    EXPECT_EQ(harness.platform.tap()->scope().models,
              (std::vector<DeviceModelID>{{kRemoteVendor, kRemoteProduct}}));

    harness.engine.stop();
    EXPECT_FALSE(seized->isSeized());
    EXPECT_EQ(harness.engine.session().trackedInterfaceCount(), 0U);
    EXPECT_EQ(harness.platform.openManagerCount(), 0);
    EXPECT_EQ(harness.engine.activeProfiles().size(), 1U);
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

// What an unplug let go of (the unplug_release scenario) is owed nothing more:
// the buttons' own late releases, through the HID path or the tap, post nothing.
TEST(EngineLifecycle, LateReleasesAfterAnUnplugPostNothing) {
    EngineHarness harness({makeProfile({
        makeMapping("left", 0x0C, kPlayPause, RemapAction::holdLeftClick()),
        makeMapping("right", 0x09, 4, RemapAction::holdRightClick()),
    })});
    harness.engine.start();
    harness.plugIn("a");
    harness.press("a", kPlayPause);
    EXPECT_EQ(harness.platform.feedTapEvent(ExtraButton{4, true}), TapVerdict::swallow);
    harness.platform.removeInterface("a");
    EngineHarness::runLoop();
    harness.platform.poster().clear();

    EXPECT_EQ(harness.platform.feedTapEvent(ExtraButton{4, false}), TapVerdict::swallow);
    harness.plugIn("a");
    harness.press("a", kPlayPause, 0);
    EXPECT_EQ(harness.platform.poster().descriptions(), std::vector<std::string>{});
}

TEST(EngineLifecycle, InterfaceWithoutIDsIsTheTargetOnlyOfAProfileWithZeroIDs) {
    DeviceProfile zero = makeProfile({});
    zero.vendorID = 0;
    zero.productID = 0;
    EngineHarness withZeroIDs({zero});
    EngineHarness withRemoteIDs({makeProfile({})});
    for (EngineHarness* harness : {&withZeroIDs, &withRemoteIDs}) {
        // Present before start, so its properties are read when the loop matches it.
        auto device = harness->platform.addInterface("a", 0, 0, "Nameless");
        device->removeProperty(hidproperty::vendorID);
        device->removeProperty(hidproperty::productID);
        harness->engine.start();
        EngineHarness::runLoop();
    }
    EXPECT_EQ(withZeroIDs.engine.session().trackedInterfaceCount(), 1U);
    EXPECT_EQ(withRemoteIDs.engine.session().trackedInterfaceCount(), 0U);
}

} // namespace
} // namespace bindwell::test
