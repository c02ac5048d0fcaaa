#include "platform/linux/SysfsInterfaceScan.h"

#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/NodeClassifier.h"

#include <cerrno>

namespace bindwell::linuxplatform {
namespace {

class ScannedInterface final : public HidDevice {
public:
    explicit ScannedInterface(HidProperties properties) : properties_(std::move(properties)) {}

    [[nodiscard]] std::optional<HidPropertyValue> property(std::string_view key) const override {
        const auto it = properties_.find(key);
        return it == properties_.end() ? std::nullopt : std::optional<HidPropertyValue>(it->second);
    }
    [[nodiscard]] int32_t openSeized() override { return -EPERM; }
    void close() override {}

private:
    HidProperties properties_;
};

} // namespace

std::vector<HidDeviceRef> scanConsumerControlInterfaces() {
    std::vector<HidDeviceRef> found;
    const UdevPtr context(udev_new());
    if (!context) {
        return found;
    }
    for (const InputNodeInfo& info : enumerateInputNodes(context.get())) {
        if (info.hasConsumerKeys && !isOwnVirtualDevice(info.phys)) {
            found.push_back(std::make_shared<ScannedInterface>(buildHidProperties(info)));
        }
    }
    return found;
}

} // namespace bindwell::linuxplatform
