// Main thread only.
#pragma once

#include "engine/ports/Permissions.h"

namespace bindwell::linuxplatform {

// Posting needs /dev/uinput opened for writing; monitoring needs read access
// to the input nodes (the udev rule and the `input` group grant these).
class LinuxPermissions final : public Permissions {
public:
    [[nodiscard]] bool canPostEvents() override;
    [[nodiscard]] bool canMonitorInput() override;
};

} // namespace bindwell::linuxplatform
