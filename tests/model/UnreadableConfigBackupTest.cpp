#include "model/UnreadableConfigBackup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UnreadableConfigBackupTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const {
        return QDir(dir.path()).filePath(name);
    }

    QTemporaryDir dir;
    const QDateTime when{QDate(2026, 3, 4), QTime(5, 6, 7)}; // local time
};

TEST_F(UnreadableConfigBackupTest, CopyIsNamedByLocalTimeAndHoldsTheBytes) {
    const KeptConfigCopy copy = keepUnreadableConfig(dir.path(), "[oops", when);
    ASSERT_TRUE(copy.ok()) << copy.error.toStdString();
    EXPECT_EQ(copy.path, path("config.invalid-20260304-050607.json"));
    EXPECT_EQ(contentOf(copy.path), "[oops");

    const QDateTime utc = when.toUTC();
    EXPECT_EQ(keepUnreadableConfig(dir.path(), "x", utc).path.left(copy.path.size() - 5),
              copy.path.left(copy.path.size() - 5)); // the same instant names the same stamp
}

TEST_F(UnreadableConfigBackupTest, TakenNamesGetANumberAndAreNeverOverwritten) {
    const QString first = keepUnreadableConfig(dir.path(), "one", when).path;
    const QString second = keepUnreadableConfig(dir.path(), "two", when).path;
    const QString third = keepUnreadableConfig(dir.path(), "three", when).path;
    EXPECT_EQ(second, path("config.invalid-20260304-050607-2.json"));
    EXPECT_EQ(third, path("config.invalid-20260304-050607-3.json"));
    EXPECT_EQ(contentOf(first), "one");
    EXPECT_EQ(contentOf(second), "two");
    EXPECT_EQ(contentOf(third), "three");
}

} // namespace
} // namespace bindwell
