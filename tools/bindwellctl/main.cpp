#include "Command.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace bindwell::ctl {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

void printHelp(std::FILE* out) {
    std::fprintf(out, "usage: bindwellctl COMMAND [ARGS]\n"
                      "       bindwellctl --version | --help\n\ncommands:\n");
    std::vector<Command> commands = registry();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    size_t width = 0;
    for (const Command& command : commands) {
        width = std::max(width, command.usage.size());
    }
    for (const Command& command : commands) {
        std::fprintf(out, "  %-*.*s %.*s\n", static_cast<int>(width),
                     static_cast<int>(command.usage.size()), command.usage.data(),
                     static_cast<int>(command.summary.size()), command.summary.data());
    }
}

} // namespace

CommandRegistration::CommandRegistration(Command command) {
    registry().push_back(command);
}

const std::vector<Command>& registeredCommands() {
    return registry();
}

} // namespace bindwell::ctl

int main(int argc, char** argv) {
    using namespace bindwell::ctl;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        printHelp(stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(stdout);
        return 0;
    }
    if (args[0] == "--version") {
        std::printf("bindwellctl %s\n", BINDWELL_VERSION);
        return 0;
    }
    for (const Command& command : registeredCommands()) {
        if (command.name == args[0]) {
            return command.run({args.begin() + 1, args.end()});
        }
    }
    std::fprintf(stderr, "error: unknown command '%.*s' (see bindwellctl --help)\n",
                 static_cast<int>(args[0].size()), args[0].data());
    return 2;
}
