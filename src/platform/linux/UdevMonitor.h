// The thread that created it only: the input loop's (ports/InputLoop.h).
#pragma once

#include "platform/linux/FdWatcher.h"
#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/UdevPtr.h"

#include <functional>
#include <memory>

namespace bindwell::linuxplatform {

// Reports evdev nodes that appear or disappear, on the loop of the thread
// that created it (see FdWatcher).
class UdevMonitor final {
public:
    struct Callbacks {
        std::function<void(const InputNodeInfo&)> added;
        std::function<void(const std::string& devnode)> removed;
    };

    // Logs and watches nothing when the monitor cannot be set up.
    UdevMonitor(udev* context, Callbacks callbacks);
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

private:
    void receive();

    UdevMonitorPtr monitor_;
    Callbacks callbacks_;
    std::unique_ptr<FdWatcher> watcher_;
};

} // namespace bindwell::linuxplatform
