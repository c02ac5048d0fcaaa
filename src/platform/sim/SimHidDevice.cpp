#include "platform/sim/SimHidDevice.h"

namespace bindwell::sim {

std::optional<HidPropertyValue> SimHidDevice::property(std::string_view key) const {
    const auto found = properties_.find(key);
    if (found == properties_.end()) {
        return std::nullopt;
    }
    return found->second;
}

int32_t SimHidDevice::openSeized() {
    if (seizeResult_ == 0) {
        isSeized_ = true;
    }
    return seizeResult_;
}

void SimHidDevice::setProperty(std::string_view key, HidPropertyValue value) {
    properties_.insert_or_assign(std::string(key), std::move(value));
}

void SimHidDevice::removeProperty(std::string_view key) {
    const auto found = properties_.find(key);
    if (found != properties_.end()) {
        properties_.erase(found);
    }
}

} // namespace bindwell::sim
