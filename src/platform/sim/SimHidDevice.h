// Main thread only.
#pragma once

#include "engine/ports/HidDevice.h"

#include <map>
#include <string>

namespace bindwell::sim {

// A scripted consumer-control interface: properties as set, a seize that
// answers whatever result it was given.
class SimHidDevice final : public HidDevice {
public:
    [[nodiscard]] std::optional<HidPropertyValue> property(std::string_view key) const override;
    [[nodiscard]] int32_t openSeized() override;
    void close() override { isSeized_ = false; }

    void setProperty(std::string_view key, HidPropertyValue value);
    void removeProperty(std::string_view key);
    // The result of every later seize; 0 lets it succeed.
    void setSeizeResult(int32_t result) { seizeResult_ = result; }

    [[nodiscard]] bool isSeized() const { return isSeized_; }

private:
    std::map<std::string, HidPropertyValue, std::less<>> properties_;
    int32_t seizeResult_ = 0;
    bool isSeized_ = false;
};

} // namespace bindwell::sim
