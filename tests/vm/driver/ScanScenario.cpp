// The device picker's scan on a real kernel: names, IDs and capabilities come
// from sysfs alone, so it sees a controller the engine holds seized and
// leaves Bindwell's own virtual devices out.
#include "BindwellProcess.h"
#include "EvdevProbe.h"
#include "Harness.h"
#include "Scenarios.h"
#include "platform/linux/SysfsInterfaceScan.h"

#include <csignal>

namespace vmtest {
namespace {

std::string productOf(const bindwell::HidDevice& device) {
    const auto value = device.property(bindwell::hidproperty::product);
    return value ? std::get<std::string>(*value) : "";
}

int64_t vendorOf(const bindwell::HidDevice& device) {
    const auto value = device.property(bindwell::hidproperty::vendorID);
    return value ? std::get<int64_t>(*value) : 0;
}

} // namespace

void pickerScan() {
    writeConfig(relaconLayout());
    auto controller = plugController();
    auto other = plugOtherRemote();
    if (!check(controllerConsumerNode().has_value(), "scan: controller appears")) {
        return;
    }
    BindwellProcess bindwell({});
    check(bindwell.waitForLog("✅ Seized", 5000), "scan: engine runs alongside");
    bool sawController = false;
    bool sawOther = false;
    bool sawOwn = false;
    for (const bindwell::HidDeviceRef& device :
         bindwell::linuxplatform::scanConsumerControlInterfaces()) {
        const std::string name = productOf(*device);
        sawController = sawController || (name == kControllerName &&
                                          vendorOf(*device) == int64_t{kControllerVendor});
        sawOther = sawOther || name == kOtherName;
        sawOwn = sawOwn || name.find("Bindwell") != std::string::npos;
    }
    check(sawController, "scan finds the seized controller from sysfs");
    check(sawOther, "scan finds the other remote");
    check(!sawOwn, "scan leaves Bindwell's own devices out");
    check(bindwell.stop(SIGTERM) == 0, "scan: engine exits cleanly");
}

} // namespace vmtest
