#include "platform/linux/UdevMonitor.h"

#include "support/Log.h"

#include <string_view>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

// udevd's own events arrive after it has set the node's permissions; without
// udevd (containers, the test VM) only the kernel's events exist.
const char* eventSource() {
    return ::access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
}

} // namespace

UdevMonitor::UdevMonitor(InputThread& loop, udev* context, Callbacks callbacks)
    : monitor_(udev_monitor_new_from_netlink(context, eventSource())),
      callbacks_(std::move(callbacks)) {
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "input", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_.get()) < 0) {
        log("⚠️ Could not watch for input devices being plugged in; only devices present now "
            "are seen");
        monitor_.reset();
        return;
    }
    watcher_ = std::make_unique<FdWatcher>(loop, udev_monitor_get_fd(monitor_.get()),
                                           [this] { receive(); });
}

UdevMonitor::~UdevMonitor() = default;

// One message per wake-up: epoll reports the fd again while more are queued,
// and a callback may destroy this monitor, so nothing runs after it.
void UdevMonitor::receive() {
    const UdevDevicePtr device(udev_monitor_receive_device(monitor_.get()));
    if (!device) {
        return;
    }
    const char* action = udev_device_get_action(device.get());
    const std::optional<InputNodeInfo> info = readInputNodeInfo(device.get());
    if (!action || !info) {
        return;
    }
    // The callbacks are called through copies: one may destroy this monitor.
    const std::string_view verb(action);
    if (verb == "remove") {
        if (callbacks_.removed) {
            const std::function<void(const std::string&)> removed = callbacks_.removed;
            removed(info->syspath);
        }
        return;
    }
    const std::function<void(const InputNodeInfo&)> report = verb == "add"      ? callbacks_.added
                                                             : verb == "change" ? callbacks_.changed
                                                                                : nullptr;
    if (report) {
        report(*info);
    }
}

} // namespace bindwell::linuxplatform
