#include "state/AppState.h"

#include "LogCapture.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

using Step = AppState::SetupStep;

DeviceProfile remoteProfile(bool isActive) {
    return {.id = "remote",
            .deviceName = "Remote",
            .vendorID = 0x56E,
            .productID = 0x156,
            .buttonMappings = {},
            .isActive = isActive};
}

// The application state over an engine on the simulated platform.
struct StateHarness {
    explicit StateHarness(bool withActiveProfile) {
        store.saveProfile(remoteProfile(withActiveProfile));
    }
    QTemporaryDir folder;
    sim::SimPlatform platform;
    ConfigStore store{folder.path()};
    HIDInterceptor engine{platform, store};
    AppState state{engine};
};

TEST(AppStateSetupStep, OnlyTheThreeStoredRawValuesNameAStep) {
    EXPECT_EQ(AppState::setupStepFromRawValue(2), Step::done);
    EXPECT_FALSE(AppState::setupStepFromRawValue(3).has_value());
    EXPECT_FALSE(AppState::setupStepFromRawValue(-1).has_value());
}

TEST(AppStateFields, NotifyOnlyWhenAValueChanges) {
    StateHarness harness(true);
    QSignalSpy step(&harness.state, &AppState::setupStepChanged);
    QSignalSpy profile(&harness.state, &AppState::activeProfileChanged);
    harness.state.setSetupStep(Step::mapButtons);
    harness.state.setSetupStep(Step::mapButtons);
    harness.state.setActiveProfile(remoteProfile(true));
    EXPECT_EQ(step.count(), 1);
    EXPECT_EQ(profile.count(), 1);
    EXPECT_EQ(harness.state.activeProfile()->id, "remote");
}

// Toggles and starts or stops made directly on the engine both show in the state.
TEST(AppStateToggle, SwitchesTheEngineAndFollowsIt) {
    StateHarness harness(true);
    harness.state.toggleRemapping();
    EXPECT_TRUE(harness.engine.isRunning());
    EXPECT_TRUE(harness.state.isRemapping());
    harness.engine.stop();
    EXPECT_FALSE(harness.state.isRemapping());
    harness.engine.start();
    EXPECT_TRUE(harness.state.isRemapping());
    harness.state.toggleRemapping();
    EXPECT_FALSE(harness.engine.isRunning());
}

TEST(AppStateToggle, WithoutActiveProfileDoesNotClaimThatRemappingRuns) {
    StateHarness harness(false);
    LogCapture log;
    harness.state.toggleRemapping();
    EXPECT_FALSE(harness.state.isRemapping());
    // The next toggle tries to start again instead of stopping what never ran.
    harness.state.toggleRemapping();
    EXPECT_EQ(log.lines(), std::vector<std::string>(2, "[Bindwell] No active profile found"));
}

// The scan's log lines are checked with the engine's scenarios.
TEST(AppStateScan, ReplacesTheListWithOneEntryPerDevice) {
    StateHarness harness(true);
    harness.platform.addInterface("a", 0x56E, 0x156, "Remote");
    harness.platform.addInterface("b", 0x56E, 0x156, "Remote");
    harness.platform.addInterface("c", 0x4D9, 0x1702, "USB Headset");
    QSignalSpy devices(&harness.state, &AppState::detectedDevicesChanged);
    harness.state.scanDevices();
    EXPECT_EQ(devices.count(), 1);
    EXPECT_EQ(harness.state.detectedDevices().size(), 1U);

    harness.platform.removeInterface("a");
    harness.platform.removeInterface("b");
    harness.state.scanDevices();
    EXPECT_TRUE(harness.state.detectedDevices().empty());
}

TEST(AppStateObserver, StateStopsObservingTheEngineWhenDestroyed) {
    QTemporaryDir folder;
    sim::SimPlatform platform;
    ConfigStore store{folder.path()};
    store.saveProfile(remoteProfile(true));
    HIDInterceptor engine{platform, store};
    { AppState state{engine}; }
    EXPECT_EQ(engine.remappingObserver(), nullptr);
    engine.start();
    EXPECT_TRUE(engine.isRunning());
}

} // namespace
} // namespace bindwell::test
