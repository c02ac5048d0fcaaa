#include "ui/StartAtLogin.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

// Points the XDG configuration folder at a temporary one for the test.
class StartAtLoginTest : public ::testing::Test {
protected:
    StartAtLoginTest() : saved_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }
    ~StartAtLoginTest() override { qputenv("XDG_CONFIG_HOME", saved_); }

    [[nodiscard]] QString entry() const {
        QFile file(config_.path() + QStringLiteral("/autostart/bindwell.desktop"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir config_;
    QByteArray saved_;
};

// The Exec key quotes a path with spaces and doubles its percent signs.
TEST_F(StartAtLoginTest, TurningItOnWritesAnAutostartEntryThatStartsUsAtLogin) {
    StartAtLogin startAtLogin(QStringLiteral("/opt/My Apps/100%/bindwell"));
    EXPECT_FALSE(startAtLogin.isEnabled());
    startAtLogin.setEnabled(true);
    EXPECT_TRUE(startAtLogin.isEnabled());
    const QString text = entry();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/My Apps/100%%/bindwell\" --login\n")));

    startAtLogin.setEnabled(false);
    EXPECT_FALSE(startAtLogin.isEnabled());
    EXPECT_FALSE(QFile::exists(StartAtLogin::entryPath()));
}

TEST_F(StartAtLoginTest, AnEntryTheUserHidIsOffUntilTurnedOnAgain) {
    QDir().mkpath(config_.path() + QStringLiteral("/autostart"));
    QFile file(StartAtLogin::entryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nExec=bindwell\nHidden=true\n");
    file.close();

    StartAtLogin startAtLogin(QStringLiteral("/usr/bin/bindwell"));
    EXPECT_FALSE(startAtLogin.isEnabled());
    startAtLogin.setEnabled(true);
    EXPECT_TRUE(startAtLogin.isEnabled());
    EXPECT_FALSE(entry().contains(QStringLiteral("Hidden=true")));
}

TEST_F(StartAtLoginTest, AnotherCopyLearnsOfAChangeWhenItRereads) {
    StartAtLogin tray(QStringLiteral("/usr/bin/bindwell"));
    StartAtLogin settings(QStringLiteral("/usr/bin/bindwell"));
    int notifications = 0;
    QObject::connect(&tray, &StartAtLogin::enabledChanged, [&] { ++notifications; });
    settings.setEnabled(true);
    tray.refresh();
    EXPECT_TRUE(tray.isEnabled());
    EXPECT_EQ(notifications, 1);
}

} // namespace
} // namespace bindwell
