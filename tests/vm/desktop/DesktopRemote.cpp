// The desktop suite's controller: the VM suite's uhid remote, driven by one
// command per line on stdin so a shell script can press its buttons, and a
// presenter, a boot keyboard to the kernel.
//   press USAGE       consumer usage (decimal) down, bN: mouse button N, or
//                     kN: the presenter's keyboard usage N
//   release           every button up
//   mouse B DX DY     mouse report: button bits, relative motion
//   unplug / plug     take the remote away, bring it back
//   presenter on/off  plug the presenter, take it away
#include "UhidDevice.h"

#include <cctype>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

using Device = std::unique_ptr<vmtest::UhidDevice>;

// USB, with the vendor and products the generated profiles name.
Device plug(const char* name, uint32_t product, const std::vector<uint8_t>& descriptor) {
    return std::make_unique<vmtest::UhidDevice>(
        vmtest::UhidDevice::Identity{name, 0x1209, product, 0x03}, descriptor);
}
Device plugRemote() {
    return plug("Bindwell Desktop Remote", 0x0b1d, vmtest::controllerDescriptor());
}

// An unplugged device takes no reports, as the hardware would not.
void send(const Device& device, const std::vector<uint8_t>& report) {
    if (device) {
        device->send(report);
    }
}

} // namespace

int main() {
    Device remote = plugRemote();
    Device presenter;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command, argument;
        words >> command;
        if (command == "press") {
            words >> argument;
            const char kind = argument[0];
            const int number = std::stoi(std::isdigit(kind) ? argument : argument.substr(1));
            if (kind == 'k') {
                send(presenter, {0, 0, uint8_t(number), 0, 0, 0, 0, 0}); // a boot keyboard report
            } else {
                send(remote, kind == 'b' ? vmtest::mouseReport(uint8_t(1 << (number - 1)), 0, 0, 0)
                                         : vmtest::consumerReport(uint16_t(number)));
            }
        } else if (command == "release") {
            send(remote, vmtest::consumerReport(0));
            send(remote, vmtest::mouseReport(0, 0, 0, 0));
            send(presenter, std::vector<uint8_t>(8));
        } else if (command == "mouse") {
            int buttons = 0, dx = 0, dy = 0;
            words >> buttons >> dx >> dy;
            send(remote, vmtest::mouseReport(static_cast<uint8_t>(buttons), static_cast<int8_t>(dx),
                                             static_cast<int8_t>(dy), 0));
        } else if (command == "unplug" || command == "plug") {
            remote = command == "plug" ? plugRemote() : nullptr;
        } else if (command == "presenter") {
            words >> argument;
            presenter = argument == "on" ? plug("Bindwell Desktop Presenter", 0x0b1e,
                                                vmtest::loadDescriptor("/desk/keyboard.hid"))
                                         : nullptr;
        } else {
            std::cerr << "desktop remote: unknown command " << line << "\n";
        }
    }
    return 0;
}
