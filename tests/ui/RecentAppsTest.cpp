#include "state/RecentApps.h"

#include "engine/HIDInterceptor.h"
#include "engine/InlineInputLoop.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bindwell {
namespace {

class RecentAppsTest : public ::testing::Test {
protected:
    // Counts the engine's calls into the remapping path.
    struct CountingLoop final : InputLoop {
        void call(const std::function<void()>& command) override {
            ++calls;
            inner.call(command);
        }
        void runSoon(std::function<void()> task) override { inner.runSoon(std::move(task)); }
        void wakeAt(double deadline, std::function<void()> onDue) override {
            inner.wakeAt(deadline, std::move(onDue));
        }
        void cancelWake() override { inner.cancelWake(); }
        void setTextReceiver(TextReceiver receiver) override {
            inner.setTextReceiver(std::move(receiver));
        }
        void handOff(std::span<TextRecord> records) override { inner.handOff(records); }
        InlineInputLoop inner;
        int calls = 0;
    };

    QTemporaryDir dir;
    CountingLoop loop;
    sim::SimPlatform platform{loop};
    ConfigStore store{dir.filePath("config")};
    HIDInterceptor engine{platform, store};
};

struct Seen {
    std::string match;
    std::string name;
    std::string icon;

    friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> seen(const RecentApps& apps) {
    std::vector<Seen> list;
    for (const QVariant& app : apps.apps()) {
        const QVariantMap map = app.toMap();
        list.push_back({map["match"].toString().toStdString(), map["name"].toString().toStdString(),
                        map["icon"].toString().toStdString()});
    }
    return list;
}

// Each focus change in turn, and what the list then holds first; only a new
// application costs the remapping path a call. The user's
// folder comes before the system's; a file is found by app id, then by
// StartupWMClass, then by the lower-cased WM_CLASS; without one the app goes
// by its id or WM_CLASS. The desktop files are in recent-apps/.
TEST_F(RecentAppsTest, RemembersEachAppOnceMostRecentFirstWithItsDesktopName) {
    RecentApps apps(engine, {RECENT_APPS "home", RECENT_APPS "system", dir.path()});
    QSignalSpy changes(&apps, &RecentApps::changed);

    struct Step {
        FocusedApp focus;
        Seen first; // empty: the list is left as it was
    };
    const std::vector<Step> steps = {
        {{"org.example.Notes", "notes", "a"}, {"org.example.Notes", "My Notes", "notes-home"}},
        {{"", "GIMP-2.10", "b"}, {"GIMP-2.10", "GIMP", "gimp"}},
        {{"", "XTerm", "c"}, {"XTerm", "XTerm", "xterm"}},
        {{"nameless", "", "d"}, {"nameless", "nameless", ""}},
        {{"../system/xterm", "Unknown", "e"}, {"../system/xterm", "../system/xterm", ""}},
        {{"", "", "the desktop"}, {}},
        {{"org.example.Notes", "notes", "another window"},
         {"org.example.Notes", "My Notes", "notes-home"}},
        {{"org.example.Notes", "notes", "a third window"}, {}},
    };
    const int callsBefore = loop.calls;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.focus.title);
        const std::vector<Seen> before = seen(apps);
        engine.setFocusedApp(step.focus);
        if (step.first.match.empty()) {
            EXPECT_EQ(seen(apps), before);
        } else {
            EXPECT_EQ(seen(apps).front(), step.first);
        }
    }
    const std::vector<std::string> order = {"org.example.Notes", "../system/xterm", "nameless",
                                            "XTerm", "GIMP-2.10"};
    std::vector<std::string> matches;
    for (const Seen& app : seen(apps)) {
        matches.push_back(app.match);
    }
    EXPECT_EQ(matches, order);
    EXPECT_EQ(loop.calls - callsBefore, 7); // not for "a third window", a title change
    EXPECT_EQ(changes.count(), 6);
    EXPECT_EQ(apps.nameForMatch("GIMP-2.10").toStdString(), "GIMP");
    EXPECT_EQ(apps.nameForMatch("firefox*").toStdString(), "firefox*");

    for (int i = 0; i < 30; ++i) {
        engine.setFocusedApp({"app" + std::to_string(i), "", ""});
        static_cast<void>(seen(apps)); // as the picker reads it on each change
    }
    EXPECT_EQ(seen(apps).size(), RecentApps::capacity);
    EXPECT_EQ(seen(apps).front().match, "app29");
    // A forgotten application is looked up afresh when it comes back.
    QFile file(dir.filePath("app0.desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nName=Zero\n");
    file.close();
    engine.setFocusedApp({"app0", "", ""});
    EXPECT_EQ(seen(apps).front(), (Seen{"app0", "Zero", ""}));
}

} // namespace
} // namespace bindwell
