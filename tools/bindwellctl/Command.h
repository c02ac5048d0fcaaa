#pragma once

#include <string_view>
#include <vector>

namespace bindwell::ctl {

// One subcommand of bindwellctl. Each command's source file registers itself
// with a static CommandRegistration, so adding a command touches no shared file
// but the executable's source list.
struct Command {
    std::string_view name;
    std::string_view usage;   // "check-config [FILE]"
    std::string_view summary; // one line for --help
    int (*run)(const std::vector<std::string_view>& args);
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

[[nodiscard]] const std::vector<Command>& registeredCommands();

} // namespace bindwell::ctl
