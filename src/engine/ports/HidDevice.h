// The input loop's thread; the device picker's scan reads descriptions on the main thread.
#pragma once

#include "engine/ports/HidDeviceDescription.h"

#include <cstdint>
#include <memory>

namespace bindwell {

// One interface of a device (HidDeviceDescription::kind says which sort).
// Interfaces are identified by object identity: the manager hands out the
// same reference for an interface in its matched, input-value and removed
// callbacks.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Stays readable after the interface is gone.
    [[nodiscard]] virtual const HidDeviceDescription& description() const = 0;

    // Opens the interface exclusively, so that the rest of the system no
    // longer receives its events. 0 on success, else a negative error code.
    [[nodiscard]] virtual int32_t openSeized() = 0;

    // Releases an exclusive open.
    virtual void close() = 0;

    // Which of the engine's controllers follows the interface (0: none). The
    // engine notes it here so that a press finds its controller in constant
    // time, however many are present; platforms leave it alone.
    [[nodiscard]] uint32_t follower() const { return follower_; }
    void setFollower(uint32_t controllerID) { follower_ = controllerID; }

private:
    uint32_t follower_ = 0;
};

using HidDeviceRef = std::shared_ptr<HidDevice>;

} // namespace bindwell
