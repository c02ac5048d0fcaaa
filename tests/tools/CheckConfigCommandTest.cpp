#include "model/ConfigFormat.h"
#include "model/DefaultProfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string output; // standard output and error together
};

class CheckConfigCommandTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const {
        return QDir(dir.path()).filePath(name);
    }

    [[nodiscard]] QString fileWith(const std::string& text) const {
        const QString file = path("config.json");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.data(), qint64(text.size()));
        return file;
    }

    [[nodiscard]] Outcome run(const QStringList& args) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", path("xdg"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(BINDWELLCTL, QStringList{"check-config"} + args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), process.readAll().toStdString()};
    }

    QTemporaryDir dir;
};

DeviceProfile profileFor(std::string name, int64_t vendor, bool active) {
    DeviceProfile profile = defaultProfile({.id = DetectedHIDDevice::makeID(vendor, 342),
                                            .name = std::move(name),
                                            .manufacturer = "Acme",
                                            .vendorID = vendor,
                                            .productID = 342,
                                            .transport = "USB"});
    profile.isActive = active;
    return profile;
}

TEST_F(CheckConfigCommandTest, ValidFileIsSummarised) {
    const DeviceProfile inactive = profileFor("Pad", 1, false);
    const DeviceProfile active = profileFor("Relacon ⌘", 1390, true);
    const Outcome both = run({fileWith(writeConfig({inactive, active}))});
    EXPECT_EQ(both.exitCode, 0);
    EXPECT_EQ(both.output, "OK: 2 profile(s), 22 mapping(s), active: Relacon ⌘\n");

    const Outcome empty = run({fileWith("[]")});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.output, "OK: 0 profile(s), 0 mapping(s), active: none\n");
}

TEST_F(CheckConfigCommandTest, BrokenRuleOrSyntaxExitsWithOne) {
    const Outcome rule = run({fileWith(R"([{"id":"p"}])")});
    EXPECT_EQ(rule.exitCode, 1);
    EXPECT_EQ(rule.output, "error: profile 0 (\"p\"): key \"deviceName\" is missing\n");

    const Outcome syntax = run({fileWith("[{")});
    EXPECT_EQ(syntax.exitCode, 1);
    EXPECT_EQ(syntax.output.rfind("error: parse error at line 1, column 3", 0), 0U)
        << syntax.output;
}

TEST_F(CheckConfigCommandTest, MissingFileOrBadUsageExitsWithTwo) {
    const Outcome missing = run({path("absent.json")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.output, "error: cannot read " + path("absent.json").toStdString() +
                                  ": No such file or directory\n");

    // The default is the file the application reads, and checking it creates nothing.
    const Outcome fallback = run({});
    EXPECT_EQ(fallback.exitCode, 2);
    EXPECT_NE(fallback.output.find(path("xdg/Bindwell/config.json").toStdString()),
              std::string::npos);
    EXPECT_FALSE(QDir(path("xdg")).exists());

    EXPECT_EQ(run({"a", "b"}).exitCode, 2);
    EXPECT_EQ(run({dir.path()}).exitCode, 2);
}

} // namespace
} // namespace bindwell
