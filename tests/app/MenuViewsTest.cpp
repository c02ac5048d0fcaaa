// The menu's two views, the panel and the tray's native menu, in each state
// of the menu's rows (their table is MenuRows'): the panel is rendered to PNG
// files for review, the tray menu's items are read, and run.
#include "SimShell.h"
#include "app/BindwellApp.h"
#include "app/ShellResources.h"
#include "app/TrayMenu.h"
#include "support/Log.h"
#include "ui/MenuModel.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QQuickWindow>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace bindwell {
namespace {

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

class MenuViews : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<BindwellApp>(shell_.appState, shell_.store, shell_.engine, true);
        app_->popup().showNear(QPoint(400, 300));
        ASSERT_NE(app_->popup().window(), nullptr);
    }

    // Writes the panel as it looks now and checks that something was drawn.
    void capture(const QString& name) {
        QQuickWindow* panel = app_->popup().window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
        QTest::qWait(50);
        const QImage image = panel->grabWindow();
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(distinctColours(image), 20) << name.toStdString() << " looks blank";
        QDir().mkpath(QStringLiteral(BINDWELL_SCREENSHOT_DIR));
        const QString path = QStringLiteral(BINDWELL_SCREENSHOT_DIR "/menu-%1.png").arg(name);
        EXPECT_TRUE(image.save(path)) << path.toStdString();
    }

    // The tray menu's visible items above its fixed commands, a disabled one in brackets.
    QStringList trayRows() {
        QStringList texts;
        for (QAction* action : app_->tray().menu().actions()) {
            if (action->isVisible() && !action->isSeparator()) {
                texts << (action->isEnabled() ? action->text() : "[" + action->text() + "]");
            }
        }
        return texts.first(texts.size() - 4);
    }

    // Renders the state as NAME and checks the tray's rows; gives the panel's height.
    int show(const QString& name, const QStringList& tray) {
        capture(name);
        EXPECT_EQ(trayRows(), tray) << name.toStdString();
        return app_->popup().window()->height();
    }

    test::SimShell& shell_ = test::sharedShell();
    std::unique_ptr<BindwellApp> app_;
};

TEST_F(MenuViews, EveryStateRendersAndTheRowsFollowIt) {
    const QString off = QStringLiteral("[Bindwell — OFF]");
    const QString on = QStringLiteral("[Bindwell — ON]");
    const QString start = QStringLiteral("Start Remapping — Paused");
    const QString pause = QStringLiteral("Pause Remapping — Active");
    const QString event = QStringLiteral("[Play/Pause → Fn Key (Hold)]");
    const int offHeight = show("off", {off, start});

    shell_.addProfile("Relacon", true);
    (void)shell_.plugIn();
    shell_.appState.toggleRemapping();
    const int deviceHeight = show("on-device", {on, pause, "[Relacon]"});
    EXPECT_GT(deviceHeight, offHeight) << "the device row did not appear";

    ASSERT_TRUE(shell_.press(test::SimShell::playPause));
    EXPECT_GT(show("on-event-device", {on, pause, event, "[Relacon]"}), deviceHeight);

    // Paused, the last event is hidden again.
    shell_.appState.toggleRemapping();
    EXPECT_EQ(show("off-device", {off, start, "[Relacon]"}), deviceHeight);

    // Two units of the model: a line per controller in place of those rows.
    shell_.platform.removeInterface("remote");
    for (const char* serial : {"SN-A", "SN-B"}) {
        shell_.plugIn(serial)->description().serialNumber = serial;
    }
    shell_.appState.toggleRemapping();
    ASSERT_TRUE(shell_.press(test::SimShell::playPause, "SN-A"));
    const QString lineA = QStringLiteral("[Relacon (SN-A) — Play/Pause → Fn Key (Hold)]");
    EXPECT_GT(show("on-two-controllers", {on, pause, lineA, "[Relacon (SN-B)]"}), deviceHeight);
    shell_.platform.removeInterface("SN-B");

    // A rule in force for the focused application, then no focus source at all.
    const std::string button = shell_.store.profileWithID("Relacon")->buttonMappings[0].id;
    shell_.store.addAppOverride("Relacon", button, {"org.example.*", RemapAction::tabKey()});
    // An "&" from outside is doubled, or the menu would take it for a shortcut mark.
    shell_.engine.setFocusedApp({"org.example.R&D", "", ""});
    ASSERT_TRUE(QTest::qWaitFor([this] { return trayRows().size() == 5; }));
    const QString rules = QStringLiteral("[App rules: org.example.R&&D]");
    EXPECT_GT(show("on-app-rules", {on, pause, event, "[Relacon]", rules}), deviceHeight);
    app_->menu().setFocusUnavailableReason(QStringLiteral("no focus source"));
    EXPECT_EQ(trayRows(), (QStringList{on, pause, event, "[Relacon]",
                                       "[Per-app rules inactive: no focus source]"}));

    app_->menu().setFocusUnavailableReason({});
    shell_.appState.toggleRemapping();
    shell_.platform.removeInterface("SN-A");
    shell_.store.removeAppOverride("Relacon", button, 0);
    shell_.engine.setFocusedApp({});
}

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
    EXPECT_FALSE(QIcon(QString::fromLatin1(shellresources::logo)).pixmap(22).isNull());
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
