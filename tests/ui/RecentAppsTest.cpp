#include "state/RecentApps.h"

#include "CaseTable.h"
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
    QTemporaryDir dir;
    InlineInputLoop loop;
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

// The focus changes of recent-apps.table. The user's folder comes before the system's; a file
// is found by app id, then by StartupWMClass, then by the lower-cased
// WM_CLASS; without one the app goes by its id or WM_CLASS.
TEST_F(RecentAppsTest, RemembersEachAppOnceMostRecentFirstWithItsDesktopName) {
    RecentApps apps(engine, {RECENT_APPS "home", RECENT_APPS "system", dir.path()});
    QSignalSpy changes(&apps, &RecentApps::changed);

    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "recent-apps.table", 6)) {
        const std::vector<std::string>& column = row.columns;
        SCOPED_TRACE("line " + std::to_string(row.line));
        const std::vector<Seen> before = seen(apps);
        engine.setFocusedApp({column[0], column[1], column[2]});
        if (column[3] == "-") {
            EXPECT_EQ(seen(apps), before);
        } else {
            EXPECT_EQ(seen(apps).front(), (Seen{column[3], column[4], column[5]}));
        }
    }
    const std::vector<std::string> order = {"org.example.Notes", "../system/xterm", "nameless",
                                            "XTerm", "GIMP-2.10"};
    std::vector<std::string> matches;
    for (const Seen& app : seen(apps)) {
        matches.push_back(app.match);
    }
    EXPECT_EQ(matches, order);
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
