#include "app/BindwellApp.h"

#include "LogCapture.h"
#include "SimShell.h"
#include "app/AppDelegate.h"
#include "support/Log.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace bindwell {
namespace {

using test::TemporaryStore;

constexpr int settleMs = AppDelegate::bringToFrontDelayMs + 300;

int windowsTitledBindwell() {
    int count = 0;
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        count += window->isVisible() && window->title() == QStringLiteral("Bindwell") ? 1 : 0;
    }
    return count;
}

class BindwellAppTest : public ::testing::Test {
protected:
    void launch(bool trayAvailable, bool startedAtLogin = false) {
        test::SimShell& shell = test::sharedShell();
        app_ = std::make_unique<BindwellApp>(shell.appState, files_.store(), shell.engine,
                                             trayAvailable);
        app_->setStartedAtLogin(startedAtLogin);
        app_->launch();
    }

    void completeSetup() {
        files_.addProfile("Relacon", false);
        files_.store().setHasCompletedSetup(true);
    }

    [[nodiscard]] QQuickWindow* setupWindow() const { return app_->setupWindow().window(); }

    TemporaryStore files_;
    std::unique_ptr<BindwellApp> app_;
};

// Where a launch shows itself: the setup window until setup is done, then
// only the tray, unless there is no tray to stand in. At login the tray host
// may not be up yet, so there the finished setup alone decides.
TEST_F(BindwellAppTest, TheWindowOpensUntilSetupIsDoneOrWhenThereIsNoTray) {
    struct Case {
        bool setupDone, trayAvailable, startedAtLogin, showsWindow;
    };
    // Setup only ever gets completed, so the unfinished cases come first.
    const Case cases[] = {{false, true, false, true},
                          {false, true, true, true},
                          {true, true, false, false},
                          {true, false, true, false},
                          {true, false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.setupDone << c.trayAvailable << c.startedAtLogin);
        app_.reset();
        if (c.setupDone && !files_.store().hasCompletedSetup()) {
            completeSetup();
        }
        test::LogCapture log;
        launch(c.trayAvailable, c.startedAtLogin);
        if (c.showsWindow) {
            ASSERT_NE(setupWindow(), nullptr);
            EXPECT_TRUE(QTest::qWaitFor([&] { return setupWindow()->isActive(); }, settleMs));
        } else {
            QTest::qWait(settleMs);
            EXPECT_EQ(setupWindow(), nullptr);
        }
        EXPECT_EQ(windowsTitledBindwell(), c.showsWindow ? 1 : 0);
        EXPECT_TRUE(app_->tray().icon().isVisible()) << "a tray host may still start";
        EXPECT_EQ(
            log.contains("[Bindwell] ⚠️ No system tray available; showing the window instead"),
            !c.trayAvailable && c.showsWindow);
    }
}

TEST_F(BindwellAppTest, ButtonSettingsReopensTheOneWindow) {
    completeSetup();
    launch(true);
    app_->menu().openButtonSettings();
    QQuickWindow* first = setupWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->isActive(); }));

    app_->menu().openButtonSettings();
    EXPECT_EQ(setupWindow(), first) << "a second request made a second window";

    first->close();
    EXPECT_EQ(windowsTitledBindwell(), 0);
    app_->menu().openButtonSettings();
    app_->menu().openButtonSettings();
    EXPECT_EQ(windowsTitledBindwell(), 1);
}

TEST_F(BindwellAppTest, TheTrayIconOpensThePanelWhichClosesOnACommandOrLostFocus) {
    completeSetup();
    launch(true);
    emit app_->tray().icon().activated(QSystemTrayIcon::Trigger);
    QQuickWindow* panel = app_->popup().window();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    app_->menu().openButtonSettings();
    EXPECT_FALSE(panel->isVisible());

    app_->popup().showNear(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isActive(); }));
    QWindow elsewhere;
    elsewhere.show();
    elsewhere.requestActivate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isVisible(); }));
}

} // namespace
} // namespace bindwell
