// Any thread.
#pragma once

#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace bindwell::linuxplatform {

// A sysfs file read whole with plain read(2), so a failure is a value and
// never an exception. A device unplugged while its attribute is read makes
// the kernel answer ENODEV, and that race is ordinary on every replug.
struct SysfsRead {
    std::vector<uint8_t> bytes;
    int error = 0; // errno of the open or read that failed; 0 when read to the end
};

// The read(2) to use; a test passes one that fails where the kernel would.
using ReadCall = ssize_t (*)(int fd, void* buffer, size_t size);

[[nodiscard]] SysfsRead readSysfsFile(const std::string& path);

// Reads `fd` to its end; the bytes read before an error are dropped.
[[nodiscard]] SysfsRead readToEnd(int fd, ReadCall read = ::read);

} // namespace bindwell::linuxplatform
