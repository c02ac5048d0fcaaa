// `bindwellctl simulate CONFIG SCRIPT`: plays a script of device events against
// the real engine on the simulated platform. CONFIG is copied into a
// temporary folder first, so the user's own configuration and setup flag are
// never read or written.
#include "Command.h"
#include "ScenarioRunner.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace bindwell::ctl {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return 2;
}

int simulate(const std::vector<std::string_view>& args) {
    if (args.size() != 2) {
        return fail("usage: bindwellctl simulate CONFIG SCRIPT");
    }
    const std::string configPath(args[0]);
    const std::string scriptPath(args[1]);
    QTemporaryDir folder;
    if (!folder.isValid() ||
        !QFile::copy(QString::fromStdString(configPath), folder.filePath("config.json"))) {
        return fail("cannot copy " + configPath + " into a temporary configuration folder");
    }
    // The copy keeps the original's permissions; the store must be able to write it.
    QFile::setPermissions(folder.filePath("config.json"), QFile::ReadOwner | QFile::WriteOwner);
    std::ifstream file;
    if (scriptPath != "-") {
        file.open(scriptPath);
        if (!file) {
            return fail("cannot read " + scriptPath);
        }
    }
    int argc = 1;
    char name[] = "bindwellctl";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    ScenarioRunner runner(folder.path());
    return runner.run(scriptPath == "-" ? std::cin : file);
}

const CommandRegistration registration({
    .name = "simulate",
    .usage = "simulate CONFIG SCRIPT",
    .summary = "play a script of device events against the engine, without hardware",
    .run = simulate,
});

} // namespace
} // namespace bindwell::ctl
