// The tray menu's items run the model's commands; what its rows show is
// MenuViewsTest's.
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

TEST(TrayMenu, TheItemsRunTheModelsCommands) {
    test::SimShell app;
    RecordingShell shell;
    MenuModel model{app.appState, app.engine, app.store, shell};
    TrayMenu tray{model};
    const auto trigger = [&tray](const char* text) {
        for (QAction* action : tray.menu().actions()) {
            if (action->isVisible() && action->text() == QString::fromUtf8(text)) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no item " << text;
    };
    app.addProfile("Relacon", true);
    trigger("Start Remapping — Paused");
    EXPECT_TRUE(app.appState.isRemapping());
    trigger("Pause Remapping — Active");
    EXPECT_FALSE(app.appState.isRemapping());

    trigger("Button Settings...");
    trigger("Send Feedback...");
    // Quit while paused still stops the engine (its line is logged) before ending.
    setLogSink([&shell](std::string_view line) {
        if (line == "[Bindwell] Remapping stopped") {
            shell.calls.emplace_back("stop");
        }
    });
    trigger("Quit Bindwell");
    setLogSink({});
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"show setup", "feedback", "stop", "terminate"}));
}

} // namespace
} // namespace bindwell
