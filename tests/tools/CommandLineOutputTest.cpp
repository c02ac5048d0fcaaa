#include "CaseTable.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace bindwell {
namespace {

// Each case of command-line.table, whose opening comment says how to read it.
TEST(CommandLineOutput, ExitCodeAndOutputSayWhatIsWrong) {
    QTemporaryDir dir;
    const auto expanded = [&dir](const std::string& text) {
        return QString::fromStdString(text).replace("$DIR", dir.path());
    };
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir.filePath("xdg"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QString said;
    std::vector<QString> shown;
    for (const auto& [word, rest] : test::readTable(COMMAND_LINE_TABLE)) {
        const size_t space = rest.find(' ');
        if (word == "file") {
            QFile file(dir.filePath(QString::fromStdString(rest.substr(0, space))));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::fromStdString(test::withByteEscapes(rest.substr(space + 1))));
        } else if (word == "fifo") {
            ASSERT_EQ(::mkfifo(dir.filePath(QString::fromStdString(rest)).toLocal8Bit(), 0600), 0);
        } else if (word == "run") {
            process.setArguments(QProcess::splitCommand(expanded(rest)));
            said.clear();
            shown.clear();
        } else if (word == "says") {
            said += expanded(rest) + '\n';
        } else if (word == "shows") {
            shown.push_back(expanded(rest));
        } else {
            ASSERT_EQ(word, "exit");
            process.start(BINDWELLCTL, process.arguments());
            ASSERT_TRUE(process.waitForFinished(30000));
            const QString output = QString::fromUtf8(process.readAll());
            const std::string command = process.arguments().join(' ').toStdString();
            EXPECT_EQ(process.exitCode(), std::stoi(rest)) << command << '\n'
                                                           << output.toStdString();
            EXPECT_TRUE(said.isEmpty() || output == said) << command << '\n'
                                                          << output.toStdString();
            for (const QString& part : shown) {
                EXPECT_TRUE(output.contains(part)) << command << '\n' << output.toStdString();
            }
        }
    }
}

} // namespace
} // namespace bindwell
