// The input thread only.
#pragma once

#include "engine/ports/HidManager.h"
#include "platform/linux/LinuxHidDevice.h"
#include "platform/linux/NodeInspector.h"
#include "platform/linux/UdevMonitor.h"
#include "platform/linux/UdevPtr.h"

#include <memory>
#include <vector>

namespace bindwell::linuxplatform {

// Follows every consumer-control evdev node, and the keyboard nodes of the
// units the callbacks pick: those present at open, found
// through libudev, and those plugged in later, through a udev monitor. A node
// is reported removed once, by whichever of the monitor and a failing read
// notices first. A node this user could not read is followed without a
// handle and reported matched a second time, the same interface now open,
// when a udev "change" finds it readable (after a grant).
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
    std::shared_ptr<LinuxHidDevice> attachKeyboard(const InputNodeInfo& info);
    std::shared_ptr<LinuxHidDevice> follow(InspectedNode node);
    [[nodiscard]] bool isPickedKeyboard(const InputNodeInfo& info) const;
    void watch(const std::shared_ptr<LinuxHidDevice>& device);
    void onNodeAdded(const InputNodeInfo& info);
    void onNodeChanged(const InputNodeInfo& info);
    void onNodeRemoved(const std::string& syspath);
    void onReadable(const std::weak_ptr<LinuxHidDevice>& weak);
    void reportMatched(const std::shared_ptr<LinuxHidDevice>& device);
    void reportRemoved(const std::shared_ptr<LinuxHidDevice>& device);
    [[nodiscard]] bool isFollowed(const LinuxHidDevice* device) const;
    [[nodiscard]] std::shared_ptr<LinuxHidDevice> followedAt(const std::string& syspath) const;

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
