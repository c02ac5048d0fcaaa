#include "app/BindwellApp.h"

#include "LogCapture.h"
#include "SharedShell.h"
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

TEST_F(BindwellAppTest, FirstRunShowsTheSetupWindowAndBringsItForward) {
    launch(true);
    QQuickWindow* window = setupWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowsTitledBindwell(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isActive(); }, settleMs));
}

TEST_F(BindwellAppTest, CompletedSetupStartsInTheTrayOnly) {
    completeSetup();
    launch(true);
    QTest::qWait(settleMs);
    EXPECT_EQ(setupWindow(), nullptr);
    EXPECT_EQ(windowsTitledBindwell(), 0);
    EXPECT_TRUE(app_->tray().icon().isVisible());
}

TEST_F(BindwellAppTest, WithoutATrayTheWindowOpensAndTheLogSaysWhy) {
    completeSetup();
    test::LogCapture log;
    launch(false);
    EXPECT_TRUE(
        log.contains("[Bindwell] ⚠️ No system tray available; showing the window instead"));
    ASSERT_NE(setupWindow(), nullptr);
    EXPECT_TRUE(setupWindow()->isVisible());
}

// At login the tray host may not be up yet; a finished setup still means no
// window, an unfinished one still shows the setup.
TEST_F(BindwellAppTest, StartedAtLoginOpensAWindowOnlyBeforeSetupIsDone) {
    launch(true, true);
    ASSERT_NE(setupWindow(), nullptr);
    EXPECT_TRUE(setupWindow()->isVisible());
    setupWindow()->close();

    completeSetup();
    launch(false, true);
    QTest::qWait(settleMs);
    EXPECT_EQ(setupWindow(), nullptr);
    EXPECT_EQ(windowsTitledBindwell(), 0);
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

TEST_F(BindwellAppTest, ClickingTheTrayIconOpensThePanelWhichClosesWithACommand) {
    completeSetup();
    launch(true);
    emit app_->tray().icon().activated(QSystemTrayIcon::Trigger);
    QQuickWindow* panel = app_->popup().window();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());

    app_->menu().openButtonSettings();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(BindwellAppTest, ThePanelClosesWhenAnotherWindowTakesTheFocus) {
    completeSetup();
    launch(true);
    app_->popup().showNear(QPoint(10, 10));
    QQuickWindow* panel = app_->popup().window();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isActive(); }));

    QWindow elsewhere;
    elsewhere.show();
    elsewhere.requestActivate();

    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isVisible(); }));
}

} // namespace
} // namespace bindwell
