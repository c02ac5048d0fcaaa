#include "app/TrayMenu.h"

#include "SimShell.h"
#include "support/Log.h"
#include "ui/MenuModel.h"

#include <QAction>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bindwell {
namespace {

using test::SimShell;

// Records what the menu asked of the application, in order.
class RecordingShell final : public MenuModel::Shell {
public:
    void showWindow(const QString& identifier) override {
        calls.push_back("show " + identifier.toStdString());
    }
    void openFeedbackForm() override { calls.push_back("feedback"); }
    void terminate() override { calls.push_back("terminate"); }

    std::vector<std::string> calls;
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
    RecordingShell shell;
    MenuModel model{app.appState, app.engine, app.store(), shell};
    TrayMenu tray{model};
};

// The native menu carries the model's rows (the table of MenuRows): the last
// event only while remapping, the remapped controller's device, both as plain text.
TEST_F(TrayMenuTest, TheRowsFollowTheModelAndTheItemsRunItsCommands) {
    EXPECT_EQ(item(QStringLiteral("Relacon")), nullptr);
    app.files.addProfile("Relacon", true);
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

    trigger(QStringLiteral("Button Settings..."));
    trigger(QStringLiteral("Send Feedback..."));
    // Quit while paused still stops the engine (its line is logged) before ending.
    setLogSink([this](std::string_view line) {
        if (line == "[Bindwell] Remapping stopped") {
            shell.calls.emplace_back("stop");
        }
    });
    trigger(QStringLiteral("Quit Bindwell"));
    setLogSink({});
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"show setup", "feedback", "stop", "terminate"}));
}

// Two units of one model, both remapped: a line each in place of the device
// and last-event rows, told apart by serial number, each with its own event.
TEST_F(TrayMenuTest, TwoUnitsOfOneModelGetALineEach) {
    app.files.addProfile("Remote", true);
    for (const char* serial : {"SN-A", "SN-B"}) {
        app.platform
            .addInterface(serial, test::TemporaryStore::vendorID, test::TemporaryStore::productID,
                          "Remote")
            ->setProperty(hidproperty::serialNumber, std::string(serial));
    }
    trigger(QStringLiteral("Start Remapping — Paused"));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return item(QStringLiteral("Remote (SN-B)")) != nullptr; }));
    EXPECT_EQ(item(QStringLiteral("Remote")), nullptr);
    app.platform.sendValue("SN-A", 0x0C, SimShell::playPause, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] {
        return item(QStringLiteral("Remote (SN-A) — Play/Pause → Fn Key (Hold)")) != nullptr;
    }));
    EXPECT_NE(item(QStringLiteral("Remote (SN-B)")), nullptr);

    trigger(QStringLiteral("Pause Remapping — Active"));
    EXPECT_EQ(item(QStringLiteral("Remote (SN-B)")), nullptr);
    EXPECT_NE(item(QStringLiteral("Remote")), nullptr);
}

// A rule of the active profile: the menu says whether it is in force for the
// focused application, and why rules are inactive when the focus is unknown.
TEST_F(TrayMenuTest, TheAppRulesRowFollowsTheFocusedApp) {
    app.files.addProfile("Relacon", true);
    app.store().addAppOverride("Relacon", app.store().profiles()[0].buttonMappings[0].id,
                               {"org.example.bindwell-*", RemapAction::tabKey()});
    app.plugInController();
    trigger(QStringLiteral("Start Remapping — Paused"));
    app.engine.setFocusedApp({"org.example.bindwell-test", "", ""});
    EXPECT_NE(item(QStringLiteral("App rules: org.example.bindwell-test")), nullptr);
    app.engine.setFocusedApp({"", "Unrelated-Test-Class", ""});
    EXPECT_NE(item(QStringLiteral("App rules: none for Unrelated-Test-Class")), nullptr);

    model.setFocusUnavailableReason(QStringLiteral("no focus source"));
    EXPECT_NE(item(QStringLiteral("Per-app rules inactive: no focus source")), nullptr);
    EXPECT_EQ(item(QStringLiteral("App rules: none for Unrelated-Test-Class")), nullptr);
    trigger(QStringLiteral("Pause Remapping — Active"));
}

} // namespace
} // namespace bindwell
