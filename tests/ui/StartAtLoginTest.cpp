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

// The Exec key quotes a path with spaces and doubles its percent signs; an
// entry the user hid is off until turned on again; another copy (the tray
// beside the settings) learns of a change when it rereads.
TEST_F(StartAtLoginTest, TheAutostartEntryStartsUsAtLoginAndHiddenMeansOff) {
    StartAtLogin startAtLogin(QStringLiteral("/opt/My Apps/100%/bindwell"));
    StartAtLogin tray(QStringLiteral("/usr/bin/bindwell"));
    int notifications = 0;
    QObject::connect(&tray, &StartAtLogin::enabledChanged, [&] { ++notifications; });
    EXPECT_FALSE(startAtLogin.isEnabled());
    startAtLogin.setEnabled(true);
    EXPECT_TRUE(startAtLogin.isEnabled());
    const QString text = entry();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/My Apps/100%%/bindwell\" --login\n")));
    tray.refresh();
    EXPECT_TRUE(tray.isEnabled());
    EXPECT_EQ(notifications, 1);

    startAtLogin.setEnabled(false);
    EXPECT_FALSE(startAtLogin.isEnabled());
    EXPECT_FALSE(QFile::exists(StartAtLogin::entryPath()));

    QDir().mkpath(config_.path() + QStringLiteral("/autostart"));
    QFile file(StartAtLogin::entryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nExec=bindwell\nHidden=true\n");
    file.close();
    tray.refresh();
    EXPECT_FALSE(tray.isEnabled());
    tray.setEnabled(true);
    EXPECT_TRUE(tray.isEnabled());
    EXPECT_FALSE(entry().contains(QStringLiteral("Hidden=true")));
}

} // namespace
} // namespace bindwell
