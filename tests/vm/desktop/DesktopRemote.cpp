// The desktop suite's controllers: the VM suite's uhid remote, driven by one
// command per line on stdin so a shell script can press its buttons. Units
// of the one model are told apart by their serial numbers (uniq); the
// commands act on the selected unit, at first the one without a serial.
//   unit [UNIQ]       select that unit, plugging it in when it is absent
//   press USAGE       consumer usage (decimal) down, or bN: mouse button N
//   release           every button up
//   mouse B DX DY     mouse report: button bits, relative motion
//   unplug / plug     take the unit away, bring it back
#include "UhidDevice.h"

#include <iostream>
#include <map>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<vmtest::UhidDevice> plug(const std::string& uniq) {
    // USB, with the vendor and product the generated profiles name.
    return std::make_unique<vmtest::UhidDevice>(
        vmtest::UhidDevice::Identity{"Bindwell Desktop Remote", 0x1209, 0x0b1d, 0x03, uniq},
        vmtest::controllerDescriptor());
}

// An unplugged unit takes no reports, as the hardware would not.
void send(const std::unique_ptr<vmtest::UhidDevice>& device, const std::vector<uint8_t>& report) {
    if (device) {
        device->send(report);
    }
}

} // namespace

int main() {
    std::map<std::string, std::unique_ptr<vmtest::UhidDevice>> units;
    std::string selected;
    units[selected] = plug(selected);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        std::unique_ptr<vmtest::UhidDevice>& device = units[selected];
        if (command == "unit") {
            selected.clear();
            words >> selected;
            if (!units[selected]) {
                units[selected] = plug(selected);
            }
        } else if (command == "press") {
            std::string usage;
            words >> usage;
            send(device,
                 usage.starts_with('b')
                     ? vmtest::mouseReport(uint8_t(1 << (std::stoi(usage.substr(1)) - 1)), 0, 0, 0)
                     : vmtest::consumerReport(uint16_t(std::stoi(usage))));
        } else if (command == "release") {
            send(device, vmtest::consumerReport(0));
            send(device, vmtest::mouseReport(0, 0, 0, 0));
        } else if (command == "mouse") {
            int buttons = 0, dx = 0, dy = 0;
            words >> buttons >> dx >> dy;
            send(device, vmtest::mouseReport(static_cast<uint8_t>(buttons), static_cast<int8_t>(dx),
                                             static_cast<int8_t>(dy), 0));
        } else if (command == "unplug") {
            device.reset();
        } else if (command == "plug") {
            device = plug(selected);
        } else {
            std::cerr << "desktop remote: unknown command " << line << "\n";
        }
    }
    return 0;
}
