// Main thread only.
#pragma once

#include "engine/ports/Platform.h"
#include "platform/linux/InputThread.h"
#include "platform/linux/LinuxPermissions.h"
#include "platform/linux/MonotonicClock.h"
#include "platform/linux/UinputPoster.h"

namespace bindwell {

// The real platform: evdev and udev for input, uinput for output, and the
// remapping path on an input thread of its own.
class LinuxPlatform final : public Platform {
public:
    [[nodiscard]] std::unique_ptr<HidManager> createHidManager() override;
    [[nodiscard]] std::vector<HidDeviceRef> scanInterfaces() override;
    [[nodiscard]] std::unique_ptr<EventTap> createEventTap(const EventTapScope& scope,
                                                           EventTap::Handler handler) override;
    [[nodiscard]] EventPoster& eventPoster() override { return poster_; }
    [[nodiscard]] std::optional<uint16_t>
    outputKeyFor(const KeyCombination& combination) const override;
    [[nodiscard]] Permissions& permissions() override { return permissions_; }
    [[nodiscard]] const Clock& clock() const override { return clock_; }
    [[nodiscard]] InputLoop& inputLoop() override { return inputLoop_; }

private:
    linuxplatform::UinputPoster poster_;
    linuxplatform::LinuxPermissions permissions_;
    linuxplatform::MonotonicClock clock_;
    // Last, so the thread ends before the poster it writes through goes.
    linuxplatform::InputThread inputLoop_;
};

} // namespace bindwell
