#include "Layouts.h"

#include "Harness.h"
#include "model/ConfigFormat.h"
#include "model/DefaultProfiles.h"

#include <filesystem>
#include <fstream>

namespace vmtest {

void writeConfig(const std::vector<bindwell::DeviceProfile>& profiles) {
    const std::filesystem::path folder = "/tmp/config/Bindwell";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "config.json") << bindwell::writeConfig(profiles);
}

bindwell::DeviceProfile relaconLayout() {
    bindwell::DetectedHIDDevice device;
    device.name = kControllerName;
    device.vendorID = kControllerVendor;
    device.productID = kControllerProduct;
    device.manufacturer = "Unknown";
    device.transport = "USB";
    device.id = bindwell::DetectedHIDDevice::makeID(device.vendorID, device.productID);
    return bindwell::relaconProfile(device);
}

void remap(bindwell::DeviceProfile& profile, const std::string& label,
           const bindwell::RemapAction& action) {
    for (bindwell::ButtonMapping& mapping : profile.buttonMappings) {
        if (mapping.label == label) {
            mapping.action = action;
        }
    }
}

} // namespace vmtest
