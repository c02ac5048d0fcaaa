// Main thread only.
#pragma once

#include "engine/ports/Permissions.h"

namespace bindwell::sim {

// Both permissions granted until a test says otherwise.
class SimPermissions final : public Permissions {
public:
    [[nodiscard]] bool canPostEvents() override { return canPostEvents_; }
    [[nodiscard]] bool canMonitorInput() override { return canMonitorInput_; }
    [[nodiscard]] bool canReadDevice(int64_t, int64_t, bool) override { return canMonitorInput_; }
    void setCanPostEvents(bool value) { canPostEvents_ = value; }
    void setCanMonitorInput(bool value) { canMonitorInput_ = value; }

private:
    bool canPostEvents_ = true;
    bool canMonitorInput_ = true;
};

} // namespace bindwell::sim
