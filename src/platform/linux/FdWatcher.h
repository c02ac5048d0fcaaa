// Main thread only.
#pragma once

#include <functional>

class QSocketNotifier;

namespace bindwell::linuxplatform {

// Calls back on the Qt event loop whenever a file descriptor is readable (or
// hung up). Safe to destroy from inside its own callback: the notifier is
// disabled at once and deleted when the loop next runs.
class FdWatcher final {
public:
    FdWatcher(int fd, std::function<void()> onReadable);
    ~FdWatcher();
    FdWatcher(const FdWatcher&) = delete;
    FdWatcher& operator=(const FdWatcher&) = delete;

private:
    QSocketNotifier* notifier_;
};

} // namespace bindwell::linuxplatform
