// The input loop's thread (ports/InputLoop.h); a scan uses its own on the main thread.
#pragma once

#include "engine/ports/EventPoster.h"
#include "platform/linux/UinputDevice.h"

#include <memory>
#include <set>
#include <string>
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
    void postKey(uint16_t keyCode, bool keyDown, uint64_t flags) override;
    void postMouseButton(MouseEventType type, int button) override;

    // The virtual device's node, empty before prepare() succeeded.
    [[nodiscard]] std::string devnode() const;

private:
    void pressKeys(uint16_t key, const std::vector<uint16_t>& modifiers);
    void releaseKeys(uint16_t key, const std::vector<uint16_t>& modifiers);

    std::unique_ptr<UinputDevice> device_;
    std::set<uint16_t> reportedUnknownKeys_;
};

} // namespace bindwell::linuxplatform
