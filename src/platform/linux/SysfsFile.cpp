#include "platform/linux/SysfsFile.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace bindwell::linuxplatform {

SysfsRead readSysfsFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {{}, errno};
    }
    SysfsRead result = readToEnd(fd);
    ::close(fd);
    return result;
}

SysfsRead readToEnd(int fd, ReadCall read) {
    SysfsRead result;
    std::array<uint8_t, 4096> buffer{};
    for (;;) {
        const ssize_t count = read(fd, buffer.data(), buffer.size());
        if (count > 0) {
            result.bytes.insert(result.bytes.end(), buffer.begin(), buffer.begin() + count);
        } else if (count == 0) {
            return result;
        } else if (errno != EINTR) {
            return {{}, errno};
        }
    }
}

} // namespace bindwell::linuxplatform
