// The thread that created it only.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace bindwell::linuxplatform {

class InputThread;

// Calls back whenever a file descriptor is readable (or hung up): on the
// input thread's epoll loop when created there, else on the Qt event loop.
// Safe to destroy from inside its own callback: a Qt notifier is then
// disabled at once and deleted when the loop next runs; otherwise it is
// deleted at once, so no event loop is needed to clean up after a scan.
class FdWatcher final {
public:
    FdWatcher(int fd, std::function<void()> onReadable);
    ~FdWatcher();
    FdWatcher(const FdWatcher&) = delete;
    FdWatcher& operator=(const FdWatcher&) = delete;

private:
    int fd_;
    InputThread* inputThread_;
    QSocketNotifier* notifier_ = nullptr;
    // Shared with the notifier's slot, which may outlive this watcher.
    std::shared_ptr<bool> inCallback_ = std::make_shared<bool>(false);
};

} // namespace bindwell::linuxplatform
