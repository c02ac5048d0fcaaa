// Any thread; no state of its own.
#pragma once

#include <optional>
#include <string>

namespace bindwell {

// What the command line asks of the program before any window exists. Other
// arguments are left to Qt (-platform and friends).
struct LaunchOptions {
    // Started by the desktop's autostart entry.
    bool startedAtLogin = false;
    // Text to print instead of running (for --version and --help).
    std::optional<std::string> reply;
};

[[nodiscard]] LaunchOptions parseLaunchOptions(int argc, const char* const* argv);

} // namespace bindwell
