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
    void showWindow(const QString&) override { ++requests; }
    void openFeedbackForm() override { ++requests; }
    void terminate() override { ++requests; }
    int requests = 0;
};

// The visible items of the native menu, separators as "-", disabled ones in ().
QStringList visibleItems(QMenu& menu) {
    QStringList items;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible()) {
            continue;
        }
        if (action->isSeparator()) {
            items << QStringLiteral("-");
        } else if (!action->isEnabled()) {
            items << QStringLiteral("(%1)").arg(action->text());
        } else {
            items << action->text();
        }
    }
    return items;
}

class TrayMenuTest : public ::testing::Test {
protected:
    SimShell app;
    NoShell shell;
    MenuModel model{app.appState, app.engine, app.store(), shell};
    TrayMenu tray{model};
};

TEST_F(TrayMenuTest, PausedWithoutProfileCarriesTheFixedRowsOnly) {
    EXPECT_EQ(
        visibleItems(tray.menu()),
        (QStringList{"(Bindwell — OFF)", "-", "Start Remapping — Paused", "-", "Button Settings...",
                     "Start at Login", "Send Feedback...", "-", "Quit Bindwell"}));
}

TEST_F(TrayMenuTest, RunningShowsTheLastEventAndTheDevice) {
    app.files.addProfile("Relacon", true);
    app.plugInController();
    model.toggleRemapping();
    ASSERT_TRUE(app.press(SimShell::playPause));

    EXPECT_EQ(
        visibleItems(tray.menu()),
        (QStringList{"(Bindwell — ON)", "-", "Pause Remapping — Active",
                     "(" + app.engine.lastEventText() + ")", "(Relacon)", "-", "Button Settings...",
                     "Start at Login", "Send Feedback...", "-", "Quit Bindwell"}));

    model.toggleRemapping();
    EXPECT_EQ(visibleItems(tray.menu()).mid(0, 5),
              (QStringList{"(Bindwell — OFF)", "-", "Start Remapping — Paused", "(Relacon)", "-"}));
}

TEST_F(TrayMenuTest, ItemsRunTheMenuCommands) {
    const auto trigger = [this](const QString& text) {
        for (QAction* action : tray.menu().actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
    };
    app.files.addProfile("Relacon", true);
    trigger(QStringLiteral("Start Remapping — Paused"));
    EXPECT_TRUE(app.appState.isRemapping());
    trigger(QStringLiteral("Button Settings..."));
    trigger(QStringLiteral("Send Feedback..."));
    trigger(QStringLiteral("Quit Bindwell"));
    EXPECT_EQ(shell.requests, 3);
}

} // namespace
} // namespace bindwell
