#include "ui/GnomeFocusExtension.h"

#include "support/Log.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

const QString info = QStringLiteral("gnome-extensions info bindwell-focus@bindwell");
const QString version = QStringLiteral("gnome-shell --version");
const QString enableCommand = QStringLiteral("gnome-extensions enable bindwell-focus@bindwell");
const CommandResult unknown{2, QStringLiteral("Extension “bindwell-focus@bindwell” doesn't exist")};
const CommandResult notRunnable{-1, QStringLiteral("No such file or directory")};

// A GNOME session without a shell: each command answers from a table, the
// user's data folder is a temporary one and no system folder holds a copy.
class GnomeFocusExtensionTest : public ::testing::Test {
protected:
    GnomeFocusExtensionTest() {
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP"}) {
            saved_[name] = qgetenv(name);
        }
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_DIRS", home_.filePath(QStringLiteral("none")).toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        setLogSink([this](std::string_view line) { logged_ += std::string(line) + '\n'; });
    }
    ~GnomeFocusExtensionTest() override {
        setLogSink({});
        for (auto it = saved_.cbegin(); it != saved_.cend(); ++it) {
            qputenv(it.key(), it.value());
        }
    }

    [[nodiscard]] CommandRunner runner() {
        return [this](const QString& program, const QStringList& arguments,
                      std::function<void(const CommandResult&)> finished) {
            const QString command = (QStringList{program} + arguments).join(u' ');
            ran_.append(command);
            finished(answers_.value(command, notRunnable));
        };
    }

    // A copy in the user's folder whose metadata is only "{}".
    void placeUserCopy() {
        QDir().mkpath(GnomeFocusExtension::userFolder());
        QFile file(GnomeFocusExtension::userFolder() + QStringLiteral("/metadata.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{}");
    }
    [[nodiscard]] QString userMetadata() const {
        QFile file(GnomeFocusExtension::userFolder() + QStringLiteral("/metadata.json"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir home_;
    QMap<const char*, QByteArray> saved_;
    QMap<QString, CommandResult> answers_;
    QStringList ran_;
    std::string logged_;
};

TEST_F(GnomeFocusExtensionTest, TheCardFollowsWhatTheShellSaysOfTheExtension) {
    struct Row {
        const char* desktop;
        bool userCopy;
        CommandResult info;
        GnomeExtensionState state;
        bool offered;
        bool canEnable;
        const char* message;
    };
    using S = GnomeExtensionState;
    const Row rows[] = {
        {"KDE", false, {0, "State: DISABLED"}, S::NotGnome, false, false, ""},
        {"ubuntu:GNOME", false, unknown, S::Missing, true, true, ""},
        {"GNOME", true, unknown, S::NotLoaded, true, true, "log out and back in"},
        {"GNOME", false, {0, "  Enabled: No\n  State: INACTIVE\n"}, S::Disabled, true, true, ""},
        {"GNOME", false, {0, "  Path: /x\n  State: ACTIVE\n"}, S::Enabled, false, false, ""},
        {"GNOME-Classic:GNOME", false, {0, "State: ENABLED"}, S::Enabled, false, false, ""},
        {"GNOME", false, {0, "State: OUT OF DATE"}, S::Broken, true, true, "(OUT OF DATE)"},
        {"GNOME", false, notRunnable, S::NoTool, true, false, "Could not run gnome-extensions"},
    };
    GnomeFocusExtension extension(runner());
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.desktop) + " / " + row.info.output.toStdString());
        QDir(GnomeFocusExtension::userFolder()).removeRecursively();
        if (row.userCopy) {
            placeUserCopy();
        }
        qputenv("XDG_CURRENT_DESKTOP", row.desktop);
        answers_ = {{info, row.info}};
        ran_.clear();
        extension.refresh();
        EXPECT_EQ(extension.state(), row.state);
        EXPECT_EQ(extension.offered(), row.offered);
        EXPECT_EQ(extension.canEnable(), row.canEnable);
        EXPECT_FALSE(extension.busy());
        EXPECT_TRUE(extension.message().contains(QLatin1String(row.message)))
            << extension.message().toStdString();
        // Another desktop never has a GNOME command run.
        EXPECT_EQ(ran_.isEmpty(), row.state == S::NotGnome);
    }
    EXPECT_NE(logged_.find("[Bindwell] ⚠️ Could not run gnome-extensions: No such file"),
              std::string::npos)
        << logged_;
}

// Each row starts from a fresh extension object and folder. A copied variant
// shows in the shell versions its metadata lists; "{}" is the copy placed
// before, left alone.
TEST_F(GnomeFocusExtensionTest, EnableCopiesTheVariantForTheShellAndSaysWhatComesNext) {
    struct Row {
        bool userCopy;
        CommandResult info;
        const char* shell; // what gnome-shell --version prints; null: it cannot run
        CommandResult enable;
        const char* copied; // null: nothing copied
        const char* message;
        const char* log;
    };
    const CommandResult off{0, "State: DISABLED"};
    const CommandResult broken{0, "State: ERROR"};
    const CommandResult ok{0, ""};
    const CommandResult refused{1, "D-Bus refused"};
    const Row rows[] = {
        {false, unknown, "GNOME Shell 44.3", ok, "\"44\"", "enabled. GNOME Shell starts a new", ""},
        {false, unknown, "GNOME Shell 49.1", unknown, "\"49\"", "then press Enable again", ""},
        {false, unknown, "GNOME Shell 42.9", ok, nullptr, "GNOME Shell 42 is too old",
         "[Bindwell] ⚠️ No focus extension fits GNOME Shell 42.9"},
        {false, unknown, nullptr, ok, nullptr, "Could not tell which GNOME Shell runs here: No",
         "[Bindwell] ⚠️ Could not read the GNOME Shell version: No such file"},
        {true, off, "GNOME Shell 46.0", ok, "{}", "Enabled. Per-application actions start", ""},
        {true, off, "GNOME Shell 46.0", refused, "{}", "Could not enable the extension: D-Bus",
         "[Bindwell] ⚠️ gnome-extensions enable failed: D-Bus refused"},
        {true, broken, "GNOME Shell 45.0", ok, "\"45\"", "Installed and enabled", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        QDir(GnomeFocusExtension::userFolder()).removeRecursively();
        if (row.userCopy) {
            placeUserCopy();
        }
        logged_.clear();
        answers_ = {{info, row.info}, {enableCommand, row.enable}};
        if (row.shell != nullptr) {
            answers_[version] = {0, QString::fromUtf8(row.shell)};
        }
        GnomeFocusExtension extension(runner());
        extension.refresh();
        ASSERT_TRUE(extension.canEnable());
        extension.enable();
        EXPECT_FALSE(extension.busy());
        EXPECT_TRUE(extension.message().contains(QString::fromUtf8(row.message)))
            << extension.message().toStdString();
        // The result stays on the card until the page is shown again.
        EXPECT_TRUE(extension.offered());
        if (row.copied == nullptr) {
            EXPECT_FALSE(QFile::exists(GnomeFocusExtension::userFolder()));
        } else {
            EXPECT_TRUE(userMetadata().contains(QLatin1String(row.copied)))
                << userMetadata().toStdString();
        }
        EXPECT_NE(logged_.find(row.log), std::string::npos) << logged_;
    }
}

} // namespace
} // namespace bindwell
