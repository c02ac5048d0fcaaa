// bindwellctl check-config [FILE]: reads a configuration file with the same
// strict reader the application uses, so a hand edit can be checked before
// Bindwell loads (and sets aside) a file it cannot read. Exit codes: 0 valid,
// 1 the text breaks a rule, 2 the file cannot be read or the usage is wrong.
#include "Command.h"
#include "model/ConfigFile.h"
#include "model/ConfigFormat.h"
#include "model/ConfigStore.h"
#include "support/Text.h"

#include <QDir>
#include <algorithm>
#include <cstdio>
#include <string>

namespace bindwell::ctl {
namespace {

constexpr int kValid = 0;
constexpr int kInvalid = 1;
constexpr int kUnusable = 2;

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return code;
}

std::string summary(const std::vector<DeviceProfile>& profiles) {
    size_t mappings = 0;
    for (const DeviceProfile& profile : profiles) {
        mappings += profile.buttonMappings.size();
    }
    const auto active = std::find_if(profiles.begin(), profiles.end(),
                                     [](const DeviceProfile& p) { return p.isActive; });
    return "OK: " + std::to_string(profiles.size()) + " profile(s), " + std::to_string(mappings) +
           " mapping(s), active: " +
           (active == profiles.end() ? "none" : escapeControls(active->deviceName));
}

int checkConfig(const std::vector<std::string_view>& args) {
    if (args.size() > 1) {
        return fail(kUnusable, "usage: bindwellctl check-config [FILE]");
    }
    // Without an argument, the file the application would read; nothing is created.
    const QString path = args.empty()
                             ? QDir(ConfigStore::defaultFolder()).filePath("config.json")
                             : QString::fromUtf8(args[0].data(), qsizetype(args[0].size()));
    const ConfigFileBytes file = readConfigFile(path);
    if (!file.error.isEmpty()) {
        return fail(kUnusable,
                    "cannot read " + path.toStdString() + ": " + file.error.toStdString());
    }
    const ConfigReadResult result = readConfig({file.bytes.constData(), size_t(file.bytes.size())});
    for (const std::string& warning : result.warnings) {
        std::fprintf(stderr, "warning: %s\n", warning.c_str());
    }
    if (!result.ok()) {
        return fail(kInvalid, result.error);
    }
    std::printf("%s\n", summary(result.profiles).c_str());
    return kValid;
}

const CommandRegistration registration{{
    .name = "check-config",
    .usage = "check-config [FILE]",
    .summary = "check a configuration file (default: the one Bindwell reads)",
    .run = checkConfig,
}};

} // namespace
} // namespace bindwell::ctl
