// A launch over what the previous run stored: whether remapping starts, which
// window shows itself, and the setup window and panel after that.
#include "SimShell.h"
#include "app/BindwellApp.h"
#include "app/WindowActivation.h"
#include "ui/PermissionStatus.h"
#include "ui/SetupCommands.h"
#include "ui/StartAtLogin.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace bindwell {
namespace {

constexpr int settleMs = AppDelegate::bringToFrontDelayMs + 300;

int windowsTitledBindwell() {
    int count = 0;
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        count += window->isVisible() && window->title() == QStringLiteral("Bindwell") ? 1 : 0;
    }
    return count;
}

enum class Stored { nothing, inactiveProfile, activeProfile };

struct Previous {
    const char* name;
    Stored stored;
    bool setupDone, trayAvailable, startedAtLogin;
    bool startsRemapping, showsWindow;
};

class Launch : public ::testing::TestWithParam<Previous> {
protected:
    // The QML types are registered once, with the shared shell's objects.
    void launch(bool trayAvailable = true, bool startedAtLogin = false) {
        (void)test::sharedShell();
        app =
            std::make_unique<BindwellApp>(shell.appState, shell.store, shell.engine, trayAvailable);
        app->setStartedAtLogin(startedAtLogin);
        app->launch();
    }
    [[nodiscard]] QQuickWindow* setupWindow() const { return app->setupWindow().window(); }

    test::SimShell shell;
    std::unique_ptr<BindwellApp> app;
};

// Remapping starts whenever a profile is active, even with setup unfinished
// (a user who changed device and quit keeps remapping). The setup window
// comes forward until setup is done, and where there is no tray to stand in;
// at login the tray host may not be up yet, so there the finished setup
// alone decides. Otherwise the focus stays where it was.
TEST_P(Launch, StartsOnAnActiveProfileAndShowsTheWindowUntilSetupIsDoneOrWithoutATray) {
    const Previous& previous = GetParam();
    if (previous.stored != Stored::nothing) {
        shell.addProfile("Remote", previous.stored == Stored::activeProfile);
    }
    shell.store.setHasCompletedSetup(previous.setupDone);
    QWindow other;
    other.show();
    other.requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.isActive(); }));

    launch(previous.trayAvailable, previous.startedAtLogin);

    EXPECT_EQ(shell.engine.isRunning(), previous.startsRemapping);
    if (previous.showsWindow) {
        ASSERT_NE(setupWindow(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return setupWindow()->isActive(); }, settleMs));
    } else {
        QTest::qWait(settleMs);
        EXPECT_EQ(setupWindow(), nullptr);
        EXPECT_TRUE(other.isActive());
    }
    EXPECT_EQ(windowsTitledBindwell(), previous.showsWindow ? 1 : 0);
    EXPECT_TRUE(app->tray().icon().isVisible()) << "a tray host may still start";
}

INSTANTIATE_TEST_SUITE_P(
    PreviousRun, Launch,
    ::testing::Values(
        Previous{"FirstRun", Stored::nothing, false, true, false, false, true},
        Previous{"QuitMidSetupAtLogin", Stored::activeProfile, false, true, true, true, true},
        Previous{"SetupDone", Stored::activeProfile, true, true, false, true, false},
        Previous{"SetupDoneAtLoginNoTray", Stored::inactiveProfile, true, false, true, false,
                 false},
        Previous{"SetupDoneNoTray", Stored::inactiveProfile, true, false, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

using Launched = Launch;

TEST_F(Launched, ButtonSettingsReopensTheOneWindow) {
    shell.store.setHasCompletedSetup(true);
    launch();
    app->menu().openButtonSettings();
    QQuickWindow* first = setupWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->isActive(); }));
    app->menu().openButtonSettings();
    EXPECT_EQ(setupWindow(), first) << "a second request made a second window";

    first->close();
    EXPECT_EQ(windowsTitledBindwell(), 0);
    app->menu().openButtonSettings();
    app->menu().openButtonSettings();
    EXPECT_EQ(windowsTitledBindwell(), 1);
}

TEST_F(Launched, TheTrayIconOpensThePanelWhichClosesOnACommandOrLostFocus) {
    shell.store.setHasCompletedSetup(true);
    launch();
    emit app->tray().icon().activated(QSystemTrayIcon::Trigger);
    QQuickWindow* panel = app->popup().window();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    app->menu().openButtonSettings();
    EXPECT_FALSE(panel->isVisible());

    app->popup().showNear(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isActive(); }));
    QWindow elsewhere;
    elsewhere.show();
    elsewhere.requestActivate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isVisible(); }));
}

// Quit after picking a device and before finishing setup, then launch again:
// picking another device remaps it at once, next to the first, and Start
// Remapping leaves remapping on.
TEST_F(Launched, RelaunchInTheMiddleOfSetupEndsRemappingTheDevicePickedLast) {
    shell.addProfile("Remote", true);
    launch();
    ASSERT_TRUE(shell.engine.isRunning());
    PermissionStatus permissions(shell.platform.permissions());
    StartAtLogin startAtLogin(QStringLiteral("/usr/bin/bindwell"));
    SetupCommands setup(shell.appState, shell.store, shell.engine, permissions, startAtLogin);

    setup.nextWithDevice({{"name", "USB Headset"}, {"vendorID", 0x4D9}, {"productID", 0x1702}});
    const auto remappedNames = [this] {
        std::vector<std::string> names;
        for (const auto& profile : shell.engine.activeProfiles()) {
            names.push_back(profile->deviceName);
        }
        return names;
    };
    const std::vector<std::string> both{"Remote", "USB Headset"};
    EXPECT_EQ(remappedNames(), both) << "the picked device is not remapped yet";
    setup.startRemapping();
    EXPECT_TRUE(shell.appState.isRemapping()) << "Start Remapping switched remapping off";
    EXPECT_EQ(remappedNames(), both);
}

// The launch brings forward only a shown window with exactly the setup
// window's title, the first of several, so one closed meanwhile stays closed.
TEST(WindowActivation, FindsTheFirstShownWindowWithExactlyTheTitle) {
    std::vector<std::unique_ptr<QWindow>> windows;
    for (const char* title : {"bindwell", "Bindwell Setup", "Bindwell", "Bindwell", "Bindwell"}) {
        windows.push_back(std::make_unique<QWindow>());
        windows.back()->setTitle(QString::fromLatin1(title));
        windows.back()->show();
    }
    windows[2]->close();
    EXPECT_EQ(findWindowTitled(QString::fromLatin1(AppDelegate::setupWindowTitle)),
              windows[3].get());
}

} // namespace
} // namespace bindwell
