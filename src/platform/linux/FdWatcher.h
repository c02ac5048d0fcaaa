// The input thread only.
#pragma once

#include <functional>

namespace bindwell::linuxplatform {

class InputThread;

// Calls back on the input thread whenever a file descriptor is readable (or
// hung up), for as long as it lives. Safe to destroy from inside its own
// callback.
class FdWatcher final {
public:
    FdWatcher(InputThread& loop, int fd, std::function<void()> onReadable);
    ~FdWatcher();
    FdWatcher(const FdWatcher&) = delete;
    FdWatcher& operator=(const FdWatcher&) = delete;

private:
    InputThread& loop_;
    int fd_;
};

} // namespace bindwell::linuxplatform
