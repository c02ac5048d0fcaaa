// Main thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace bindwell {

// What a finished command said: its exit status (-1 when it could not be
// started or crashed) and its output, standard error included, so that a
// refusal can be shown and logged as the command worded it.
struct CommandResult {
    int exitCode = -1;
    QString output;
};

// Runs a command without waiting for it and reports the result on the main
// loop. Tests pass a function that answers from a table instead.
using CommandRunner = std::function<void(const QString& program, const QStringList& arguments,
                                         std::function<void(const CommandResult&)> finished)>;

// Runs it with QProcess.
[[nodiscard]] CommandRunner processRunner();

} // namespace bindwell
