// Main thread only.
#pragma once

#include "engine/ports/Permissions.h"

namespace bindwell::linuxplatform {

// Posting needs /dev/uinput opened for writing (the packaged udev rule tags
// it for the seat's user); reading needs the controller's own event nodes,
// which the generic remote rule or a per-device grant opens. Nothing here
// asks for more than one controller: no group, no other keyboard.
class LinuxPermissions final : public Permissions {
public:
    [[nodiscard]] bool canPostEvents() override;
    [[nodiscard]] bool canMonitorInput() override;
    [[nodiscard]] bool canReadDevice(int64_t vendorID, int64_t productID,
                                     bool keyboardKeysToo) override;
};

} // namespace bindwell::linuxplatform
