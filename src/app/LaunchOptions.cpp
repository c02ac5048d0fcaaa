#include "app/LaunchOptions.h"

#include <string_view>

namespace bindwell {

LaunchOptions parseLaunchOptions(int argc, const char* const* argv) {
    LaunchOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--version") {
            options.reply = "bindwell " BINDWELL_VERSION "\n";
            return options;
        }
        if (argument == "--help" || argument == "-h") {
            options.reply =
                "usage: bindwell [--login]\n\n"
                "Remaps the buttons of a handheld controller from the system tray.\n\n"
                "  --login    started by the desktop at login: once setup is complete,\n"
                "             remap without opening a window\n"
                "  --version  print the version and exit\n"
                "  --help     print this help and exit\n\n"
                "See bindwellctl --help for the command-line companion.\n";
            return options;
        }
        if (argument == "--login") {
            options.startedAtLogin = true;
        }
    }
    return options;
}

} // namespace bindwell
