#include "ui/AccessGrant.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

namespace bindwell {
namespace {

// pkexec matches its policy by the program's path, so the installed copy is
// the one to run; a build that was never installed falls back to its own.
QString bindwellctlPath() {
    const QString installed = QString::fromUtf8(BINDWELL_CTL_INSTALLED);
    return QFileInfo::exists(installed) ? installed : QString::fromUtf8(BINDWELL_CTL_BUILD);
}

} // namespace

QString deviceIDText(int64_t vendorID, int64_t productID) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", static_cast<unsigned>(vendorID & 0xFFFF),
                  static_cast<unsigned>(productID & 0xFFFF));
    return QString::fromLatin1(text);
}

AccessGrantCommand accessGrantCommand(const DetectedHIDDevice& device) {
    const QString ids = deviceIDText(device.vendorID, device.productID);
    if (!device.hasKeyboardKeys) {
        return {QStringLiteral("pkexec"), {bindwellctlPath(), QStringLiteral("grant"), ids}};
    }
    // The name and unit narrow the rule to the very device the user picked,
    // not every unit of its model.
    QStringList arguments{bindwellctlPath(), QStringLiteral("grant-keyboard-keys"), ids,
                          QString::fromStdString(device.name)};
    if (!device.unitName().empty()) {
        arguments.append(QString::fromStdString(device.unitName()));
    }
    return {QStringLiteral("pkexec"), arguments};
}

CommandLauncher processLauncher() {
    return [](const AccessGrantCommand& command, std::function<void(int)> finished) {
        // Owned by the application, so one still running at exit is ended with it.
        auto* process = new QProcess(QCoreApplication::instance());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        QObject::connect(process, &QProcess::finished, process,
                         [process, finished](int exitCode, QProcess::ExitStatus status) {
                             finished(status == QProcess::NormalExit ? exitCode : -1);
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, finished](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 finished(-1);
                                 process->deleteLater();
                             }
                         });
        process->start(command.program, command.arguments);
    };
}

} // namespace bindwell
