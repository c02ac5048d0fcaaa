#include "AcmeDevices.h"
#include "model/ConfigFormat.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace bindwell {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string output; // standard output and error together
};

class CommandLineOutputTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const {
        return QDir(dir.path()).filePath(name);
    }

    [[nodiscard]] QString fileWith(const std::string& text, const QString& name) const {
        const QString file = path(name);
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
        process.start(BINDWELLCTL, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), process.readAll().toStdString()};
    }

    QTemporaryDir dir;
};

// Each case runs bindwellctl with the given arguments; checked(TEXT) checks
// a file holding TEXT. An expected output that ends in a newline is the whole
// output, any other a part of it.
TEST_F(CommandLineOutputTest, ExitCodeAndOutputSayWhatIsWrong) {
    int files = 0;
    const auto checked = [this, &files](const std::string& text) {
        return QStringList{"check-config", fileWith(text, QString("%1.json").arg(++files))};
    };
    const DeviceProfile pad = test::acmeProfile("Pad", 1, 342, false);
    const std::string valid = writeConfig({pad, test::acmeProfile("Relacon ⌘", 1390, 342, true)});
    const std::string padID = "profile 0 (\"" + pad.id + "\")";
    const auto cannotRead = [this](const QString& name) {
        return "error: cannot read " + path(name).toStdString() + ": ";
    };
    // A log line names the controller by the file's name for it.
    const QString simConfig =
        fileWith(writeConfig({test::acmeProfile("Pad\x1b[31m\nX", 1390, 342, true)}), "sim.json");
    const QString simScript = fileWith("device a 0x56e 0x156 Remote\nstart\n", "sim.script");
    ASSERT_EQ(::mkfifo(path("fifo.json").toLocal8Bit().constData(), 0600), 0);
    struct Case {
        QStringList args;
        int exitCode;
        std::string output;
    };
    const std::vector<Case> cases = {
        {checked(valid), 0, "OK: 2 profile(s), 22 mapping(s), active: Relacon ⌘\n"},
        {{"check-config", path("absent.json")}, 2, cannotRead("absent.json") + "No such file"},
        // The default is the file the application reads.
        {{"check-config"}, 2, cannotRead("xdg/Bindwell/config.json") + "No such file"},
        {{"check-config", dir.path()}, 2, cannotRead("") + "not a regular file\n"},
        // A FIFO is refused at once instead of waiting for a writer.
        {{"check-config", path("fifo.json")}, 2, cannotRead("fifo.json") + "not a regular file\n"},
        {{"check-config", "a", "b"}, 2, "error: usage: bindwellctl check-config [FILE]\n"},
        // A name from a device cannot drive the terminal or split the line.
        {checked(writeConfig({test::acmeProfile("Pad\x1b]0;owned\a\nX\xc2\x9b", 1, 2, true)})), 0,
         "OK: 1 profile(s), 12 mapping(s), active: Pad\\x1b]0;owned\\x07\\x0aX\\xc2\\x9b\n"},
        // A refused file: its error (config-errors.table has more), a long number cut.
        {checked(R"([{"id":"p","vendorID":)" + std::string(5000, '9') + "}]"), 1,
         "error: profile 0 (\"p\"), key \"vendorID\": number too large to read at line 1, "
         "column 5022: '999999999999999999999999…' (byte 5022)\n"},
        // A repeated key is read (the last one counts), with a warning.
        {checked(R"([{"deviceName":"Old",)" + writeConfig({pad}).substr(2)), 0,
         "warning: " + padID +
             ", key \"deviceName\" appears more than once; the last one counts\n"
             "OK: 1 profile(s), 12 mapping(s), active: none\n"},
        {{"simulate", simConfig, simScript},
         0,
         "[Bindwell] Remapping started for Pad\\x1b[31m\\x0aX [vid:0x56e pid:0x156]"},
        {{"grant", "0000:1234"}, 2, "error: vendor 0000 names no device; give the device's own"},
        {{"revoke", "fffe:fffd"}, 0, "Nothing to remove: there is no /etc/udev/rules.d/70-"},
        // A keyboard's keys are opened only for a device named as it is plugged in.
        {{"grant-keyboard-keys", "1a2b:3c4d"}, 2, "usage: bindwellctl grant-keyboard-keys"},
        {{"grant-keyboard-keys", "0000:1234", "Pedal"}, 2, "error: vendor 0000 names no device"},
        {{"grant-keyboard-keys", "fffe:fffd", "Foot Pedal"},
         1,
         "error: no device named \"Foot Pedal\" with the IDs fffe:fffd is plugged in; nothing "
         "was written\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.output;
        if (c.output.ends_with('\n')) {
            EXPECT_EQ(outcome.output, c.output);
        } else {
            EXPECT_NE(outcome.output.find(c.output), std::string::npos) << outcome.output;
        }
    }
    // Checking the default file created nothing.
    EXPECT_FALSE(QDir(path("xdg")).exists());
}

} // namespace
} // namespace bindwell
