// Main thread only.
#pragma once

#include "engine/ports/HidDevice.h"

namespace bindwell::sim {

// A scripted interface: a description that may be changed at any time, a
// seize that answers whatever result it was given.
class SimHidDevice final : public HidDevice {
public:
    explicit SimHidDevice(HidDeviceDescription description)
        : description_(std::move(description)) {}

    [[nodiscard]] const HidDeviceDescription& description() const override { return description_; }
    [[nodiscard]] HidDeviceDescription& description() { return description_; }
    [[nodiscard]] int32_t openSeized() override;
    void close() override { isSeized_ = false; }

    // The result of every later seize; 0 lets it succeed.
    void setSeizeResult(int32_t result) { seizeResult_ = result; }

    [[nodiscard]] bool isSeized() const { return isSeized_; }

private:
    HidDeviceDescription description_;
    int32_t seizeResult_ = 0;
    bool isSeized_ = false;
};

} // namespace bindwell::sim
