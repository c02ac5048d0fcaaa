// The desktop suite's controller: the VM suite's uhid remote, driven by one
// command per line on stdin so a shell script can press its buttons.
//   press USAGE       consumer usage (decimal) down, or bN: mouse button N
//   release           every button up
//   mouse B DX DY     mouse report: button bits, relative motion
//   unplug / plug     take the remote away, bring it back
#include "UhidDevice.h"

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
    // An unplugged remote takes no reports, as the hardware would not.
    const auto send = [&](const std::vector<uint8_t>& report) {
        if (device) {
            device->send(report);
        }
    };
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "press") {
            std::string usage;
            words >> usage;
            send(usage.starts_with('b')
                     ? vmtest::mouseReport(uint8_t(1 << (std::stoi(usage.substr(1)) - 1)), 0, 0, 0)
                     : vmtest::consumerReport(uint16_t(std::stoi(usage))));
        } else if (command == "release") {
            send(vmtest::consumerReport(0));
            send(vmtest::mouseReport(0, 0, 0, 0));
        } else if (command == "mouse") {
            int buttons = 0, dx = 0, dy = 0;
            words >> buttons >> dx >> dy;
            send(vmtest::mouseReport(static_cast<uint8_t>(buttons), static_cast<int8_t>(dx),
                                     static_cast<int8_t>(dy), 0));
        } else if (command == "unplug") {
            device.reset();
        } else if (command == "plug") {
            device = plug();
        } else {
            std::cerr << "desktop remote: unknown command " << line << "\n";
        }
    }
    return 0;
}
