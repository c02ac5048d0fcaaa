#include "platform/linux/SysfsInterfaceScan.h"

#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/NodeClassifier.h"

#include <cerrno>

namespace bindwell::linuxplatform {
namespace {

class ScannedInterface final : public HidDevice {
public:
    explicit ScannedInterface(HidDeviceDescription description)
        : description_(std::move(description)) {}

    [[nodiscard]] const HidDeviceDescription& description() const override { return description_; }
    [[nodiscard]] int32_t openSeized() override { return -EPERM; }
    void close() override {}

private:
    HidDeviceDescription description_;
};

} // namespace

bool isOfferedInterface(const InputNodeInfo& info) {
    if (isOwnVirtualDevice(info.phys)) {
        return false;
    }
    return info.isKeyboard ? info.hidSyspath.has_value() : info.hasConsumerKeys;
}

std::vector<HidDeviceRef> scanInterfaces() {
    std::vector<HidDeviceRef> found;
    const UdevPtr context(udev_new());
    if (!context) {
        return found;
    }
    for (const InputNodeInfo& info : enumerateInputNodes(context.get())) {
        if (isOfferedInterface(info)) {
            found.push_back(std::make_shared<ScannedInterface>(describeNode(info)));
        }
    }
    return found;
}

} // namespace bindwell::linuxplatform
