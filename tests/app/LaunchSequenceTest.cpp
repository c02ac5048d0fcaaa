#include "ShellFixtures.h"
#include "app/AppDelegate.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace bindwell {
namespace {

using test::RecordingEngine;
using test::TemporaryStore;

constexpr int settleMs = AppDelegate::bringToFrontDelayMs + 300;

class LaunchSequence : public ::testing::Test {
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

    void launch() {
        delegate_ = std::make_unique<AppDelegate>(files_.store(), engine_);
        delegate_->applicationDidFinishLaunching();
    }

    // After a finished setup the launch leaves the focus where it was.
    void launchAfterSetupLeavingTheFocusAlone(bool withActiveProfile) {
        files_.addProfile("Remote", withActiveProfile);
        files_.store().setHasCompletedSetup(true);
        files_.reopen();
        QWindow& other = addWindow(QStringLiteral("Other"));
        QWindow& setup = addWindow(QStringLiteral("Bindwell"));
        focus(other);
        launch();
        QTest::qWait(settleMs);
        EXPECT_TRUE(other.isActive());
        EXPECT_FALSE(setup.isActive());
    }

    TemporaryStore files_;
    RecordingEngine engine_;
    std::unique_ptr<AppDelegate> delegate_;
    std::vector<std::unique_ptr<QWindow>> windows_;
};

TEST_F(LaunchSequence, FirstRunStartsNothingAndBringsTheWindowForwardHalfASecondLater) {
    QWindow& other = addWindow(QStringLiteral("Other"));
    focus(other);
    QWindow& setup = addWindow(QStringLiteral("Bindwell"));
    focus(other);

    launch();

    EXPECT_EQ(engine_.starts, 0);
    QTest::qWait(AppDelegate::bringToFrontDelayMs / 2);
    EXPECT_FALSE(setup.isActive()) << "brought forward before the delay";
    EXPECT_TRUE(QTest::qWaitFor([&] { return setup.isActive(); }, settleMs));
}

TEST_F(LaunchSequence, CompletedSetupWithActiveProfileStartsRemappingAndTouchesNoWindow) {
    launchAfterSetupLeavingTheFocusAlone(true);
    EXPECT_EQ(engine_.starts, 1);
}

TEST_F(LaunchSequence, CompletedSetupWithoutActiveProfileStartsNothing) {
    launchAfterSetupLeavingTheFocusAlone(false);
    EXPECT_EQ(engine_.starts, 0);
}

TEST_F(LaunchSequence, UnfinishedSetupWithActiveProfileStartsAndBringsTheWindowForward) {
    files_.addProfile("Remote", true);
    files_.reopen();
    ASSERT_FALSE(files_.store().hasCompletedSetup());
    QWindow& setup = addWindow(QStringLiteral("Bindwell"));
    QWindow& other = addWindow(QStringLiteral("Other"));
    focus(other);

    launch();

    EXPECT_EQ(engine_.starts, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return setup.isActive(); }, settleMs));
}

// Only an exact title matches, and of two matching windows only the first comes forward.
TEST_F(LaunchSequence, OnlyTheFirstWindowWithTheExactTitleComesForward) {
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

TEST_F(LaunchSequence, AWindowClosedBeforeTheDelayIsNotReopened) {
    QWindow& setup = addWindow(QStringLiteral("Bindwell"));

    launch();
    setup.close();

    QTest::qWait(settleMs);
    EXPECT_FALSE(setup.isVisible());
}

} // namespace
} // namespace bindwell
