#include "SimShell.h"
#include "app/AppDelegate.h"
#include "ui/PermissionStatus.h"
#include "ui/SetupCommands.h"
#include "ui/StartAtLogin.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace bindwell {
namespace {

using test::TemporaryStore;

constexpr int settleMs = AppDelegate::bringToFrontDelayMs + 300;

// What the previous run left behind, and what the launch then does.
struct Launch {
    const char* name;
    bool hasProfile;
    bool activeProfile;
    bool completedSetup;
    bool startsRemapping;
};

class LaunchSequence : public ::testing::TestWithParam<Launch> {
protected:
    // A shown top-level window with `title`, in creation (window) order.
    QWindow& addWindow(const QString& title) {
        auto& window = windows_.emplace_back(std::make_unique<QWindow>());
        window->setTitle(title);
        window->resize(200, 100);
        window->show();
        return *window;
    }

    // Gives `window` the focus, as a user clicking into another program would.
    static void focus(QWindow& window) {
        window.requestActivate();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isActive(); }));
    }

    // Starts the program over what the folder holds now.
    void launch() {
        files_.reopen();
        engine_ = std::make_unique<HIDInterceptor>(platform_, files_.store());
        appState_ = std::make_unique<AppState>(*engine_);
        delegate_ = std::make_unique<AppDelegate>(files_.store(), *engine_);
        delegate_->applicationDidFinishLaunching();
    }

    sim::SimPlatform platform_;
    TemporaryStore files_;
    std::unique_ptr<HIDInterceptor> engine_;
    std::unique_ptr<AppState> appState_;
    std::unique_ptr<AppDelegate> delegate_;
    std::vector<std::unique_ptr<QWindow>> windows_;
};

// Remapping starts whenever a profile is active, even with setup unfinished
// (a user who changed device and quit keeps remapping); the setup window comes
// forward half a second later until setup is done, and otherwise the focus
// stays where it was.
TEST_P(LaunchSequence, StartsOnAnActiveProfileAndBringsUnfinishedSetupForward) {
    const Launch& launch = GetParam();
    if (launch.hasProfile) {
        files_.addProfile("Remote", launch.activeProfile);
    }
    files_.store().setHasCompletedSetup(launch.completedSetup);
    QWindow& other = addWindow(QStringLiteral("Other"));
    QWindow& setup = addWindow(QStringLiteral("Bindwell"));
    focus(other);

    this->launch();

    EXPECT_EQ(engine_->isRunning(), launch.startsRemapping);
    QTest::qWait(AppDelegate::bringToFrontDelayMs / 2);
    EXPECT_FALSE(setup.isActive()) << "brought forward before the delay";
    if (launch.completedSetup) {
        QTest::qWait(settleMs);
        EXPECT_TRUE(other.isActive());
    } else {
        EXPECT_TRUE(QTest::qWaitFor([&] { return setup.isActive(); }, settleMs));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PreviousRun, LaunchSequence,
    ::testing::Values(Launch{"FirstRun", false, false, false, false},
                      Launch{"SetupDoneProfileActive", true, true, true, true},
                      Launch{"SetupDoneNoProfileActive", true, false, true, false},
                      Launch{"QuitMidSetupProfileActive", true, true, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

using Launching = LaunchSequence;

// Only an exact title matches, and of two matching windows only the first comes forward.
TEST_F(Launching, OnlyTheFirstWindowWithTheExactTitleComesForward) {
    QWindow& lower = addWindow(QStringLiteral("bindwell"));
    QWindow& longer = addWindow(QStringLiteral("Bindwell Setup"));
    QWindow& first = addWindow(QStringLiteral("Bindwell"));
    QWindow& second = addWindow(QStringLiteral("Bindwell"));
    focus(second);

    launch();

    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isActive(); }, settleMs));
    EXPECT_FALSE(second.isActive());
    EXPECT_FALSE(lower.isActive());
    EXPECT_FALSE(longer.isActive());
}

TEST_F(Launching, AWindowClosedBeforeTheDelayIsNotReopened) {
    QWindow& setup = addWindow(QStringLiteral("Bindwell"));

    launch();
    setup.close();

    QTest::qWait(settleMs);
    EXPECT_FALSE(setup.isVisible());
}

// Quit after picking a device and before finishing setup, then launch again:
// picking another device remaps it at once, next to the first, and Start
// Remapping leaves remapping on.
TEST_F(Launching, RelaunchInTheMiddleOfSetupEndsRemappingTheDevicePickedLast) {
    files_.addProfile("Remote", true);
    launch();
    ASSERT_TRUE(engine_->isRunning());
    PermissionStatus permissions(platform_.permissions());
    StartAtLogin startAtLogin(QStringLiteral("/usr/bin/bindwell"));
    SetupCommands setup(*appState_, files_.store(), *engine_, permissions, startAtLogin);

    setup.nextWithDevice({{"name", "USB Headset"}, {"vendorID", 0x4D9}, {"productID", 0x1702}});
    const auto remappedNames = [this] {
        std::vector<std::string> names;
        for (const auto& profile : engine_->activeProfiles()) {
            names.push_back(profile->deviceName);
        }
        return names;
    };
    const std::vector<std::string> both{"Remote", "USB Headset"};
    EXPECT_EQ(remappedNames(), both) << "the picked device is not remapped yet";
    setup.startRemapping();
    EXPECT_TRUE(appState_->isRemapping()) << "Start Remapping switched remapping off";
    EXPECT_EQ(remappedNames(), both);
}

} // namespace
} // namespace bindwell
