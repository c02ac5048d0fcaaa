// The desktop suite's controller: the VM suite's uhid remote, driven by one
// command per line on stdin so a shell script can press its buttons.
//   press USAGE       consumer usage (decimal) down
//   release           consumer buttons up
//   mouse B DX DY     mouse report: button bits, relative motion
//   unplug / plug     take the device away, bring it back
#include "../driver/UhidDevice.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<vmtest::UhidDevice> plug() {
    // USB, with the vendor and product the generated profile names.
    return std::make_unique<vmtest::UhidDevice>(
        vmtest::UhidDevice::Identity{"Bindwell Desktop Remote", 0x1209, 0x0b1d, 0x03},
        vmtest::controllerDescriptor());
}

} // namespace

int main() {
    std::unique_ptr<vmtest::UhidDevice> device = plug();
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "press") {
            int usage = 0;
            words >> usage;
            device->send(vmtest::consumerReport(static_cast<uint16_t>(usage)));
        } else if (command == "release") {
            device->send(vmtest::consumerReport(0));
        } else if (command == "mouse") {
            int buttons = 0, dx = 0, dy = 0;
            words >> buttons >> dx >> dy;
            device->send(vmtest::mouseReport(static_cast<uint8_t>(buttons), static_cast<int8_t>(dx),
                                             static_cast<int8_t>(dy), 0));
        } else if (command == "unplug") {
            device->unplug();
        } else if (command == "plug") {
            device = plug();
        } else {
            std::cerr << "desktop remote: unknown command " << line << "\n";
        }
    }
    return 0;
}
