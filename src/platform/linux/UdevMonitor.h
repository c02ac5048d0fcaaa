// The input thread only.
#pragma once

#include "platform/linux/FdWatcher.h"
#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/UdevPtr.h"

#include <functional>
#include <memory>

namespace bindwell::linuxplatform {

// Reports evdev nodes that appear, change or disappear, on the input thread.
class UdevMonitor final {
public:
    struct Callbacks {
        std::function<void(const InputNodeInfo&)> added;
        // A node whose rules were applied again: `bindwellctl grant` and
        // `udevadm trigger` cause one, and with it the node's access may have
        // changed.
        std::function<void(const InputNodeInfo&)> changed;
        // By syspath: a node's name passes to the next device plugged in,
        // while its syspath (…/inputN/eventM) is never used again, so a late
        // removal can never close a newer device.
        std::function<void(const std::string& syspath)> removed;
    };

    // Logs and watches nothing when the monitor cannot be set up.
    UdevMonitor(InputThread& loop, udev* context, Callbacks callbacks);
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
