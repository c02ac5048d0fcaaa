// Any thread; each caller brings its own udev context.
#pragma once

#include "engine/ports/HidDeviceDescription.h"
#include "model/DeviceIdentity.h"
#include "platform/linux/SysfsFile.h"
#include "platform/linux/UdevPtr.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // From the input device's sysfs attributes, so they are known for nodes
    // this user may not open: the device list works before access is granted.
    int64_t vendorID = 0;
    int64_t productID = 0;
    int bustype = 0;
    // The input device's "uniq" (a Bluetooth address or a serial number) and
    // udev's ID_PATH without its USB interface, so all interfaces of one unit
    // share it. Either may be empty.
    std::string uniq;
    std::string physicalPath;
    bool hasConsumerKeys = false;
    // A full keyboard (udev's ID_INPUT_KEYBOARD): read only for a device the
    // user picked by name.
    bool isKeyboard = false;
};

// Nothing for devices that are not evdev nodes ("event*") with a devnode.
// Attributes of a device that vanishes meanwhile read as absent.
[[nodiscard]] std::optional<InputNodeInfo> readInputNodeInfo(udev_device* device);

// Every evdev node present now, in sysfs order.
[[nodiscard]] std::vector<InputNodeInfo> enumerateInputNodes(udev* context);

// The unit the node belongs to.
[[nodiscard]] DeviceIdentity unitOf(const InputNodeInfo& info);

// udev's ID_PATH of an interface without the USB configuration and interface
// ("…-usb-0:1.2:1.0" → "…-usb-0:1.2"); other paths are whole units already.
[[nodiscard]] std::string unitPath(std::string_view idPath);

// The name the device list shows: the USB product string, else the HID
// device's name, else the evdev node's.
[[nodiscard]] std::string productName(const InputNodeInfo& info);

// The engine's description of a node, opened or not. A full keyboard is a
// keyboard-key interface whatever else it has.
[[nodiscard]] HidDeviceDescription describeNode(const InputNodeInfo& info);

// Whether a sysfs key bitmap ("capabilities/key": hexadecimal words of
// `bitsPerWord` bits, most significant first) holds any of the keys that mark
// a consumer-control interface.
[[nodiscard]] bool bitmapHasConsumerKeys(std::string_view bitmap,
                                         unsigned bitsPerWord = sizeof(long) * 8);

// Whether a key bitmap holds every key from Esc to S, udev's test for a full
// keyboard.
[[nodiscard]] bool bitmapIsFullKeyboard(std::string_view bitmap,
                                        unsigned bitsPerWord = sizeof(long) * 8);

// The raw report descriptor of the node's HID device; ENOENT for a node that
// is not a HID device.
[[nodiscard]] SysfsRead readReportDescriptor(const InputNodeInfo& info);

} // namespace bindwell::linuxplatform
