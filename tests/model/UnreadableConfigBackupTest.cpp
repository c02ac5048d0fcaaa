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

TEST_F(UnreadableConfigBackupTest, CopyIsNamedByLocalTimeAndATakenNameGetsANumber) {
    const KeptConfigCopy copy = keepUnreadableConfig(dir.path(), "one", when);
    ASSERT_TRUE(copy.ok()) << copy.error.toStdString();
    EXPECT_EQ(copy.path, path("config.invalid-20260304-050607.json"));
    // The same instant given in UTC names the same stamp; nothing is overwritten.
    EXPECT_EQ(keepUnreadableConfig(dir.path(), "two", when.toUTC()).path,
              path("config.invalid-20260304-050607-2.json"));
    EXPECT_EQ(keepUnreadableConfig(dir.path(), "three", when).path,
              path("config.invalid-20260304-050607-3.json"));
    EXPECT_EQ(contentOf(copy.path), "one");
    EXPECT_EQ(contentOf(path("config.invalid-20260304-050607-2.json")), "two");
    EXPECT_EQ(contentOf(path("config.invalid-20260304-050607-3.json")), "three");
}

} // namespace
} // namespace bindwell
