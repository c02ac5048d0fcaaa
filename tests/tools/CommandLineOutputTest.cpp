#include "AcmeDevices.h"
#include "model/ConfigFormat.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

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

// Each case runs on a file with the given text, or else with the given
// arguments. An expected output that ends in a newline is the whole output,
// any other is how the output starts.
TEST_F(CheckConfigCommandTest, ExitCodeAndOutputSayWhatIsWrong) {
    const std::string valid = writeConfig(
        {test::acmeProfile("Pad", 1, 342, false), test::acmeProfile("Relacon ⌘", 1390, 342, true)});
    const auto cannotRead = [this](const QString& name) {
        return "error: cannot read " + path(name).toStdString() + ": ";
    };
    struct Case {
        std::optional<std::string> text;
        QStringList args;
        int exitCode;
        std::string output;
    };
    const std::vector<Case> cases = {
        {valid, {}, 0, "OK: 2 profile(s), 22 mapping(s), active: Relacon ⌘\n"},
        {"[]", {}, 0, "OK: 0 profile(s), 0 mapping(s), active: none\n"},
        {R"([{"id":"p"}])", {}, 1, "error: profile 0 (\"p\"): key \"deviceName\" is missing\n"},
        {"[{", {}, 1, "error: parse error at line 1, column 3"},
        {{}, {path("absent.json")}, 2, cannotRead("absent.json") + "No such file or directory\n"},
        // The default is the file the application reads.
        {{}, {}, 2, cannotRead("xdg/Bindwell/config.json") + "No such file or directory\n"},
        {{}, {dir.path()}, 2, cannotRead("")},
        {{}, {"a", "b"}, 2, "error: usage: bindwellctl check-config [FILE]\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = run(c.text ? QStringList{fileWith(*c.text)} : c.args);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.output;
        if (c.output.ends_with('\n')) {
            EXPECT_EQ(outcome.output, c.output);
        } else {
            EXPECT_EQ(outcome.output.rfind(c.output, 0), 0U) << outcome.output;
        }
    }
    // Checking the default file created nothing.
    EXPECT_FALSE(QDir(path("xdg")).exists());
}

} // namespace
} // namespace bindwell
