#include "platform/linux/LinuxPermissions.h"

#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

bool canOpen(const char* path, int flags) {
    const int fd = ::open(path, flags | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace

bool LinuxPermissions::canPostEvents() {
    return canOpen("/dev/uinput", O_WRONLY);
}

bool LinuxPermissions::canMonitorInput() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/input", error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("event") && canOpen(entry.path().c_str(), O_RDONLY)) {
            return true;
        }
    }
    return false;
}

} // namespace bindwell::linuxplatform
