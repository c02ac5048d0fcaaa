// Main thread only.
#pragma once

#include "model/DetectedHIDDevice.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace bindwell {

// How the setup window asks for read access to a controller: polkit runs
// "bindwellctl grant VVVV:PPPP" as root after the user confirms, under a
// policy that covers exactly that command. Nothing of Bindwell is setuid.
// A device with keyboard keys gets a grant of its own, "bindwellctl
// grant-keyboard-keys VVVV:PPPP NAME [UNIT]", whose prompt says that every key
// of that one device becomes readable; the plain grant never opens a keyboard.
struct AccessGrantCommand {
    QString program;
    QStringList arguments;
};

[[nodiscard]] AccessGrantCommand accessGrantCommand(const DetectedHIDDevice& device);

// "VVVV:PPPP", as the grant commands and the log lines name a device.
[[nodiscard]] QString deviceIDText(int64_t vendorID, int64_t productID);

// Runs a command without waiting for it and reports its exit status (-1 when
// it could not be started or crashed) on the main loop.
using CommandLauncher =
    std::function<void(const AccessGrantCommand&, std::function<void(int exitCode)> finished)>;

// Runs it with QProcess.
[[nodiscard]] CommandLauncher processLauncher();

} // namespace bindwell
