#include "app/TrayMenu.h"

#include "SimShell.h"
#include "ui/MenuModel.h"

#include <QAction>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

using test::SimShell;

class NoShell final : public MenuModel::Shell {
public:
    void showWindow(const QString&) override {}
    void openFeedbackForm() override {}
    void terminate() override { terminated = true; }
    bool terminated = false;
};

class TrayMenuTest : public ::testing::Test {
protected:
    // The visible item with `text`, or null.
    QAction* item(const QString& text) {
        for (QAction* action : tray.menu().actions()) {
            if (action->isVisible() && action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }

    void trigger(const QString& text) {
        QAction* action = item(text);
        ASSERT_NE(action, nullptr) << "no item " << text.toStdString();
        action->trigger();
    }

    SimShell app;
    NoShell shell;
    MenuModel model{app.appState, app.engine, app.store(), shell};
    TrayMenu tray{model};
};

// The native menu carries the model's rows: the last event only while
// remapping, the active profile's device, both as plain text.
TEST_F(TrayMenuTest, TheRowsFollowTheModelAndTheItemsRunItsCommands) {
    EXPECT_EQ(item(QStringLiteral("Relacon")), nullptr);
    trigger(QStringLiteral("Start Remapping — Paused"));
    EXPECT_NE(item(QStringLiteral("Bindwell — OFF")), nullptr) << "started without a profile";
    app.files.addProfile("Inactive", false);
    app.files.addProfile("Relacon", true);
    EXPECT_EQ(item(QStringLiteral("Inactive")), nullptr);
    app.plugInController();
    trigger(QStringLiteral("Start Remapping — Paused"));
    EXPECT_TRUE(app.appState.isRemapping());
    EXPECT_NE(item(QStringLiteral("Bindwell — ON")), nullptr);
    ASSERT_TRUE(app.press(SimShell::playPause));
    const QString lastEvent = QStringLiteral("Play/Pause → Fn Key (Hold)");
    ASSERT_NE(item(lastEvent), nullptr);
    EXPECT_FALSE(item(lastEvent)->isEnabled());
    ASSERT_NE(item(QStringLiteral("Relacon")), nullptr);
    EXPECT_FALSE(item(QStringLiteral("Relacon"))->isEnabled());

    trigger(QStringLiteral("Pause Remapping — Active"));
    EXPECT_FALSE(app.appState.isRemapping());
    EXPECT_NE(item(QStringLiteral("Bindwell — OFF")), nullptr);
    EXPECT_EQ(item(lastEvent), nullptr);
    EXPECT_NE(item(QStringLiteral("Relacon")), nullptr);
    // The last event is kept while paused and shown again on resuming.
    trigger(QStringLiteral("Start Remapping — Paused"));
    EXPECT_NE(item(lastEvent), nullptr);
    trigger(QStringLiteral("Quit Bindwell"));
    EXPECT_TRUE(shell.terminated);
}

} // namespace
} // namespace bindwell
