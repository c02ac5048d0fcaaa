#include "model/AppMatch.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

TEST(AppMatch, GlobsMatchCharactersIgnoreCaseAndTryTheAppIdThenTheWindowClass) {
    struct Case {
        const char* pattern;
        FocusedApp app;
        bool matches;
    };
    const Case cases[] = {
        {"firefox", {"firefox", "", ""}, true},
        {"FireFox", {"firefox", "", ""}, true},
        {"firefox", {"firefox-esr", "", ""}, false},
        {"firefox*", {"firefox-esr", "", ""}, true},
        {"*office*", {"libreoffice-impress", "", ""}, true},
        {"org.kde.?kular", {"org.kde.okular", "", ""}, true},
        {"*.okular", {"org.kde.okular.desktop", "", ""}, false},
        {"a*b*c", {"aXbYbZc", "", ""}, true},
        {"a*b*c", {"aXbYbZ", "", ""}, false},
        // Characters, not bytes, with Unicode case folding.
        {"caf?", {"café", "", ""}, true},
        {"ÉMACS", {"émacs", "", ""}, true},
        {"*ß", {"straß", "", ""}, true},
        {"??", {"é", "", ""}, false},
        {"?", {"\xff", "", ""}, true},
        {"**", {"", "", ""}, false},
        // The window class when the id says nothing or something else.
        {"okular", {"", "Okular", ""}, true},
        {"okular", {"org.kde.okular", "okular", ""}, true},
        // The title never decides, and an empty match never matches.
        {"Slides*", {"", "", "Slides — Impress"}, false},
        {"", {"x", "x", "x"}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ruleMatches(c.pattern, c.app), c.matches)
            << c.pattern << " against " << c.app.appId << " / " << c.app.wmClass;
    }
}

} // namespace
} // namespace bindwell
