// bindwellctl monitor [VENDOR:PRODUCT]: prints the (page, usage, value)
// records of consumer-control interfaces exactly as the engine would receive
// them, to find out what a controller's buttons send. Nothing is grabbed.
// Keyboard-key interfaces (presenters, pedals) are read only for the device
// named, and their keys print as keyboard-page usages.
// While two units of one model are present, their lines name the unit they
// came from (its serial number, else its port); other lines are as they
// always were.
#include "Command.h"
#include "CtlApplication.h"
#include "QuitOnSignal.h"
#include "engine/DeviceProperties.h"
#include "platform/linux/LinuxPlatform.h"
#include "support/Hex.h"

#include <QCoreApplication>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace bindwell::ctl {
namespace {

struct DeviceFilter {
    int64_t vendorID = 0;
    int64_t productID = 0;

    [[nodiscard]] bool matches(const DeviceIdentity& unit) const {
        return unit.vendorID == vendorID && unit.productID == productID;
    }
};

std::optional<int64_t> parseHex(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<DeviceFilter> parseFilter(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto vendor = parseHex(text.substr(0, colon));
    const auto product = parseHex(text.substr(colon + 1));
    if (!vendor || !product) {
        return std::nullopt;
    }
    return DeviceFilter{*vendor, *product};
}

std::string describe(const HidDevice& device) {
    const HidDeviceDescription& description = device.description();
    return describeDevice(description.product, description.vendorID, description.productID) +
           (description.hasKeyboardKeys() ? " (keyboard keys)" : "");
}

// The units of the interfaces present (one entry per interface), so that a
// line can say which unit it came from once there are several.
class PresentUnits {
public:
    void add(const HidDevice& device) { units_.push_back(device.description().unit()); }
    void remove(const HidDevice& device) {
        const auto found = std::find(units_.begin(), units_.end(), device.description().unit());
        if (found != units_.end()) {
            units_.erase(found);
        }
    }
    // " (<serial or port>)" while another unit of its model is present, else nothing.
    [[nodiscard]] std::string suffixFor(const HidDevice& device) const {
        const DeviceIdentity unit = device.description().unit();
        const bool hasTwin = std::any_of(units_.begin(), units_.end(), [&](const auto& other) {
            return other.vendorID == unit.vendorID && other.productID == unit.productID &&
                   other != unit;
        });
        const std::string& name = unit.serialNumber.empty() ? unit.physicalPath : unit.serialNumber;
        return hasTwin && !name.empty() ? " (" + name + ")" : "";
    }

private:
    std::vector<DeviceIdentity> units_;
};

void print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int monitor(const std::vector<std::string_view>& args) {
    std::optional<DeviceFilter> filter;
    if (args.size() > 1 || (args.size() == 1 && !(filter = parseFilter(args[0])))) {
        std::fprintf(stderr, "usage: bindwellctl monitor [VENDOR:PRODUCT] (hex, e.g. 56e:156)\n");
        return 2;
    }
    const CtlApplication application;
    const QuitOnSignal quitOnSignal;
    LinuxPlatform platform;
    const auto wanted = [&](const HidDevice& device) {
        return !filter || filter->matches(device.description().unit());
    };
    // The manager lives on the input thread, as it does while remapping; the
    // lines are printed from there.
    std::unique_ptr<HidManager> manager;
    PresentUnits units; // input thread only
    platform.inputLoop().call([&] {
        manager = platform.createHidManager();
        manager->open({
            .matched =
                [&](const HidDeviceRef& device) {
                    if (wanted(*device)) {
                        units.add(*device);
                        print("+ " + describe(*device) + units.suffixFor(*device));
                    }
                },
            .removed =
                [&](const HidDeviceRef& device) {
                    if (wanted(*device)) {
                        print("- " + describe(*device) + units.suffixFor(*device));
                        units.remove(*device);
                    }
                },
            .inputValue =
                [&](const HidInputValue& value) {
                    if (wanted(*value.device)) {
                        print("page 0x" + hexLower(value.usagePage) + " usage 0x" +
                              hexLower(value.usage) + " value " + std::to_string(value.value) +
                              "  " + value.device->description().product +
                              units.suffixFor(*value.device));
                    }
                },
            // Only a device named on the command line: a monitor must never
            // read the keyboard the user types on unasked.
            .readsKeyboardOf =
                [&](const DeviceIdentity& unit) { return filter && filter->matches(unit); },
        });
    });
    QCoreApplication::exec();
    platform.inputLoop().call([&] { manager.reset(); });
    return 0;
}

const CommandRegistration registration({
    .name = "monitor",
    .usage = "monitor [VENDOR:PRODUCT]",
    .summary = "print consumer-control input (and the keyboard keys of the device named) as the "
               "engine receives it, until interrupted",
    .run = monitor,
});

} // namespace
} // namespace bindwell::ctl
