// The input thread only.
#pragma once

#include "engine/ports/EventTap.h"
#include "platform/linux/NodeInspector.h"
#include "platform/linux/TappedNode.h"
#include "platform/linux/UdevMonitor.h"
#include "platform/linux/UdevPtr.h"

#include <memory>
#include <vector>

namespace bindwell::linuxplatform {

// The event tap on Linux: it takes over the target device's nodes other than
// its consumer-control interfaces (which the HID manager seizes) and relays
// their events through clones, minus what the handler swallows.
class LinuxEventTap final : public EventTap {
public:
    // Nothing when /dev/uinput cannot be opened for writing.
    [[nodiscard]] static std::unique_ptr<LinuxEventTap>
    create(InputThread& loop, const EventTapScope& scope, Handler handler);
    ~LinuxEventTap() override;
    LinuxEventTap(const LinuxEventTap&) = delete;
    LinuxEventTap& operator=(const LinuxEventTap&) = delete;

    void setEnabled(bool enabled) override { enabled_ = enabled; }

private:
    LinuxEventTap(InputThread& loop, const EventTapScope& scope, Handler handler);

    void consider(const InputNodeInfo& info);
    void onReadable(const TappedNode* node);
    void release(const std::string& syspath);
    [[nodiscard]] bool isInScope(const InspectedNode& node) const;
    [[nodiscard]] TapVerdict decide(const TapEvent& event, const DeviceIdentity& source) const;

    InputThread& loop_;
    EventTapScope scope_;
    Handler handler_;
    bool enabled_ = false;
    UdevPtr udev_;
    std::unique_ptr<UdevMonitor> monitor_;
    std::vector<std::unique_ptr<TappedNode>> nodes_;
};

} // namespace bindwell::linuxplatform
