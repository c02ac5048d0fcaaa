// Main thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace bindwell {

// How the setup window asks for read access to a controller: polkit runs
// "bindwellctl grant VVVV:PPPP" as root after the user confirms, under a
// policy that covers exactly that command. Nothing of Bindwell is setuid.
struct AccessGrantCommand {
    QString program;
    QStringList arguments;
};

[[nodiscard]] AccessGrantCommand accessGrantCommand(int64_t vendorID, int64_t productID);

// Runs a command without waiting for it and reports its exit status (-1 when
// it could not be started or crashed) on the main loop.
using CommandLauncher =
    std::function<void(const AccessGrantCommand&, std::function<void(int exitCode)> finished)>;

// Runs it with QProcess.
[[nodiscard]] CommandLauncher processLauncher();

} // namespace bindwell
