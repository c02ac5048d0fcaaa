// The input thread only.
#pragma once

#include "engine/ports/HidManager.h"
#include "platform/linux/LinuxHidDevice.h"
#include "platform/linux/UdevMonitor.h"
#include "platform/linux/UdevPtr.h"

#include <memory>
#include <vector>

namespace bindwell::linuxplatform {

// Follows every consumer-control evdev node: those present at open, found
// through libudev, and those plugged in later, through a udev monitor. A node
// is reported removed once, by whichever of the monitor and a failing read
// notices first.
class LinuxHidManager final : public HidManager {
public:
    explicit LinuxHidManager(InputThread& loop) : loop_(loop) {}
    ~LinuxHidManager() override;
    LinuxHidManager(const LinuxHidManager&) = delete;
    LinuxHidManager& operator=(const LinuxHidManager&) = delete;

    void open(Callbacks callbacks) override;
    void close() override;

private:
    std::shared_ptr<LinuxHidDevice> attach(const InputNodeInfo& info);
    void onNodeAdded(const InputNodeInfo& info);
    void onNodeRemoved(const std::string& syspath);
    void onReadable(const std::weak_ptr<LinuxHidDevice>& weak);
    void reportRemoved(const std::shared_ptr<LinuxHidDevice>& device);
    [[nodiscard]] bool isFollowed(const LinuxHidDevice* device) const;
    [[nodiscard]] bool isFollowed(const std::string& syspath) const;

    InputThread& loop_;
    Callbacks callbacks_;
    UdevPtr udev_;
    std::unique_ptr<UdevMonitor> monitor_;
    std::vector<std::shared_ptr<LinuxHidDevice>> devices_;
    // Lives from open to close; the deferred "matched" reports of an open
    // run only while it does.
    std::shared_ptr<const bool> openToken_;
};

} // namespace bindwell::linuxplatform
