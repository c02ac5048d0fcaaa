// Main thread only.
#pragma once

#include "engine/ports/HidDevice.h"
#include "platform/linux/UdevPtr.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct libevdev;

namespace bindwell::linuxplatform {

// What sysfs tells about an evdev node and the devices above it, read without
// opening the node.
struct InputNodeInfo {
    std::string devnode;
    std::string syspath;
    std::string phys;
    std::string evdevName;
    std::optional<std::string> usbProduct;
    std::optional<std::string> usbManufacturer;
    std::optional<std::string> hidName;
    std::optional<std::string> hidSyspath;
    // The input device's id/ and capabilities/ attributes.
    int64_t vendorID = 0;
    int64_t productID = 0;
    int bustype = 0;
    bool hasConsumerControlKeys = false;
};

// Whether bit `bit` is set in a sysfs capability bitmap: hexadecimal words
// separated by spaces, the most significant word first.
[[nodiscard]] bool sysfsBitmapHas(std::string_view bitmap, unsigned bit);

// Nothing for devices that are not evdev nodes ("event*") with a devnode.
[[nodiscard]] std::optional<InputNodeInfo> readInputNodeInfo(udev_device* device);

// Every evdev node present now, in sysfs order.
[[nodiscard]] std::vector<InputNodeInfo> enumerateInputNodes(udev* context);

using HidProperties = std::map<std::string, HidPropertyValue, std::less<>>;

// The engine's property keys for an opened node.
[[nodiscard]] HidProperties buildHidProperties(const InputNodeInfo& info, libevdev* device);
// The same from sysfs alone, for a node that is not opened.
[[nodiscard]] HidProperties buildHidProperties(const InputNodeInfo& info);

// Whether the node can send any of the keys that mark a consumer-control interface.
[[nodiscard]] bool hasConsumerControlKeys(libevdev* device);

// The raw report descriptor of the node's HID device, if it can be read.
[[nodiscard]] std::optional<std::vector<uint8_t>> readReportDescriptor(const InputNodeInfo& info);

} // namespace bindwell::linuxplatform
