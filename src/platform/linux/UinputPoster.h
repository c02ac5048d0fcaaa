// The input thread only (prepare() runs in its start command).
#pragma once

#include "engine/ports/EventPoster.h"
#include "platform/linux/EvdevEvent.h"
#include "platform/linux/UinputDevice.h"

#include <memory>
#include <vector>

namespace bindwell::linuxplatform {

// Posts the engine's synthetic keys and clicks through one virtual device.
// The device is made when remapping first starts, because desktops take a
// moment to open a new input device and a device made at the first press
// would lose that press; it then lives until the process exits, so a held
// key or click survives a restart of remapping and can still be released.
class UinputPoster final : public EventPoster {
public:
    static constexpr const char* kDeviceName = "Bindwell Virtual Input";
    static constexpr const char* kDevicePhys = "bindwell/virtual";

    UinputPoster() = default;

    void prepare() override;
    void post(std::span<const OutputEvent> events) override;

private:
    void appendKey(const OutputEvent& event);
    void appendFrame(uint16_t code, bool pressed);

    std::unique_ptr<UinputDevice> device_;
    // The frames of one post, written together; reused between posts.
    std::vector<EvdevEvent> frames_;
};

} // namespace bindwell::linuxplatform
