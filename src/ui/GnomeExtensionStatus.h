// Any thread; pure functions.
#pragma once

#include "ui/CommandRunner.h"

#include <QString>

namespace bindwell {

// Where Bindwell's GNOME Shell extension stands for this user, read from
// "gnome-extensions info" and the extension folders. Kept apart from the
// object that runs the commands so each answer of the shell can be checked
// without one.
enum class GnomeExtensionState {
    NotGnome,  // another desktop: nothing to offer
    NoTool,    // gnome-extensions could not be run
    Missing,   // neither the shell nor the disk has it
    NotLoaded, // on disk, but the shell has not read it since login
    Disabled,  // the shell has it switched off
    Broken,    // the shell tried it and failed (ERROR, OUT OF DATE)
    Enabled,
};

struct GnomeExtensionFacts {
    bool gnomeSession = false;
    bool onDisk = false;
    CommandResult info; // of "gnome-extensions info bindwell-focus@bindwell"
};

[[nodiscard]] GnomeExtensionState gnomeExtensionState(const GnomeExtensionFacts& facts);

// The user-facing line for a state; empty where the card says enough.
[[nodiscard]] QString gnomeExtensionMessage(GnomeExtensionState state, const CommandResult& info);

// Which of the shipped variants fits the shell that printed `versionOutput`
// ("GNOME Shell 44.3"): "43" for 43 and 44 (the older import style), "45"
// for 45 and later (ES modules). Empty when the version cannot be read or is
// older than 43; the major version goes to `major` when it can be read.
[[nodiscard]] QString gnomeExtensionVariant(const QString& versionOutput, int* major = nullptr);

// Whether XDG_CURRENT_DESKTOP (a colon-separated list such as
// "ubuntu:GNOME") names GNOME.
[[nodiscard]] bool isGnomeDesktop(const QString& currentDesktop);

} // namespace bindwell
