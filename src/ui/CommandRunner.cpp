#include "ui/CommandRunner.h"

#include <QCoreApplication>
#include <QProcess>

namespace bindwell {

CommandRunner processRunner() {
    return [](const QString& program, const QStringList& arguments,
              std::function<void(const CommandResult&)> finished) {
        auto* process = new QProcess(QCoreApplication::instance());
        process->setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(process, &QProcess::finished, process,
                         [process, finished](int exitCode, QProcess::ExitStatus status) {
                             const QString output = QString::fromUtf8(process->readAll()).trimmed();
                             finished({status == QProcess::NormalExit ? exitCode : -1, output});
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, finished](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 finished({-1, process->errorString()});
                                 process->deleteLater();
                             }
                         });
        process->start(program, arguments);
    };
}

} // namespace bindwell
