#include "ui/GnomeFocusExtension.h"

#include "CaseTable.h"
#include "LogCapture.h"

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

// A command's answer as the tables write it: "unknown", "not-runnable", or
// the exit status, a space and the output ("\\n" a newline).
CommandResult answer(const std::string& text) {
    if (text == "unknown" || text == "not-runnable") {
        return text == "unknown" ? unknown : notRunnable;
    }
    const size_t space = std::min(text.find(' '), text.size());
    QString output = QString::fromStdString(text.substr(std::min(space + 1, text.size())));
    return {std::stoi(text.substr(0, space)), output.replace(QStringLiteral("\\n"), "\n")};
}

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
    }
    ~GnomeFocusExtensionTest() override {
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

    // A copy in the user's folder whose metadata is only "{}", or none.
    void placeUserCopy(bool placed) {
        QDir(GnomeFocusExtension::userFolder()).removeRecursively();
        if (!placed) {
            return;
        }
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
    test::LogCapture log_;
};

TEST_F(GnomeFocusExtensionTest, TheCardFollowsWhatTheShellSaysOfTheExtension) {
    const QStringList states{"NotGnome", "NoTool", "Missing", "NotLoaded",
                             "Disabled", "Broken", "Enabled"};
    GnomeFocusExtension extension(runner());
    for (const test::CaseRow& row :
         test::readCaseTable(CASE_TABLES "gnome-extension-states.table", 7)) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        placeUserCopy(row.columns[1] == "yes");
        qputenv("XDG_CURRENT_DESKTOP", QByteArray::fromStdString(row.columns[0]));
        answers_ = {{info, answer(row.columns[2])}};
        ran_.clear();
        extension.refresh();
        EXPECT_EQ(states.at(static_cast<int>(extension.state())).toStdString(), row.columns[3]);
        EXPECT_EQ(extension.offered(), row.columns[4] == "yes");
        EXPECT_EQ(extension.canEnable(), row.columns[5] == "yes");
        EXPECT_FALSE(extension.busy());
        EXPECT_TRUE(extension.message().contains(QString::fromStdString(row.columns[6])))
            << extension.message().toStdString();
        // Another desktop never has a GNOME command run.
        EXPECT_EQ(ran_.isEmpty(), row.columns[3] == "NotGnome");
    }
    EXPECT_TRUE(log_.contains(
        "[Bindwell] ⚠️ Could not run gnome-extensions: No such file or directory"));
}

TEST_F(GnomeFocusExtensionTest, EnableCopiesTheVariantForTheShellAndSaysWhatComesNext) {
    for (const test::CaseRow& row :
         test::readCaseTable(CASE_TABLES "gnome-extension-enable.table", 7)) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        placeUserCopy(row.columns[0] == "yes");
        log_.clear();
        answers_ = {{info, answer(row.columns[1])}, {enableCommand, answer(row.columns[3])}};
        if (row.columns[2] != "-") {
            answers_[version] = {0, QString::fromStdString(row.columns[2])};
        }
        GnomeFocusExtension extension(runner());
        extension.refresh();
        ASSERT_TRUE(extension.canEnable());
        extension.enable();
        EXPECT_FALSE(extension.busy());
        EXPECT_TRUE(extension.message().contains(QString::fromStdString(row.columns[5])))
            << extension.message().toStdString();
        EXPECT_TRUE(extension.offered());
        if (row.columns[4] == "-") {
            EXPECT_FALSE(QFile::exists(GnomeFocusExtension::userFolder()));
        } else {
            EXPECT_TRUE(userMetadata().contains(QString::fromStdString(row.columns[4])))
                << userMetadata().toStdString();
        }
        EXPECT_TRUE(row.columns[6].empty() || log_.contains(row.columns[6])) << row.columns[6];
    }
}

} // namespace
} // namespace bindwell
