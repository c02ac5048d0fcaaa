#include "state/AppState.h"

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

using Step = AppState::SetupStep;

// The application state over an engine on the simulated platform. Toggling,
// and following starts and stops made on the engine itself, are checked by the
// engine's scenarios (toggle, no_active_profile, store_restart), which print
// isRemapping as it changes.
struct StateHarness {
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
    StateHarness harness;
    QSignalSpy step(&harness.state, &AppState::setupStepChanged);
    QSignalSpy profile(&harness.state, &AppState::activeProfileChanged);
    harness.state.setSetupStep(Step::mapButtons);
    harness.state.setSetupStep(Step::mapButtons);
    DeviceProfile remote;
    remote.id = "remote";
    harness.state.setActiveProfile(remote);
    EXPECT_EQ(step.count(), 1);
    EXPECT_EQ(profile.count(), 1);
    EXPECT_EQ(harness.state.activeProfile()->id, "remote");
}

// The scan's log lines are checked with the engine's scenarios.
TEST(AppStateScan, ReplacesTheListWithOneEntryPerDevice) {
    StateHarness harness;
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

} // namespace
} // namespace bindwell::test
