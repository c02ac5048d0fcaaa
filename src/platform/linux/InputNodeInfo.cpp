#include "platform/linux/InputNodeInfo.h"

#include "platform/linux/HidKeyTable.h"
#include "platform/linux/SysfsFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <linux/input.h>
#include <string_view>

namespace bindwell::linuxplatform {
namespace {

std::optional<std::string> text(const char* value) {
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::string> attribute(udev_device* device, const char* name) {
    return device ? text(udev_device_get_sysattr_value(device, name)) : std::nullopt;
}

int64_t hexAttribute(udev_device* device, const char* name) {
    const std::optional<std::string> value = attribute(device, name);
    int64_t number = 0;
    if (value) {
        std::from_chars(value->data(), value->data() + value->size(), number, 16);
    }
    return number;
}

// One hexadecimal word of a bitmap; words wider than 64 bits do not exist.
bool wordHasBit(std::string_view word, unsigned bit) {
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    return error == std::errc() && end == word.data() + word.size() && bit < 64 &&
           ((value >> bit) & 1U) != 0;
}

bool bitmapHasKey(const std::vector<std::string_view>& words, unsigned bitsPerWord, uint16_t code) {
    const size_t fromRight = code / bitsPerWord;
    return fromRight < words.size() &&
           wordHasBit(words[words.size() - 1 - fromRight], code % bitsPerWord);
}

std::vector<std::string_view> bitmapWords(std::string_view bitmap) {
    std::vector<std::string_view> words;
    size_t start = bitmap.find_first_not_of(" \n");
    while (start != std::string_view::npos) {
        const size_t end = std::min(bitmap.find_first_of(" \n", start), bitmap.size());
        words.push_back(bitmap.substr(start, end - start));
        start = bitmap.find_first_not_of(" \n", end);
    }
    return words;
}

// udev's verdict when its database holds one (the hwdb may have corrected
// it), else udev's own test on the key bitmap, so that a system without udevd
// still knows a keyboard when it sees one.
bool isFullKeyboard(udev_device* device, std::string_view keyBitmap) {
    if (const char* keyboard = udev_device_get_property_value(device, "ID_INPUT_KEYBOARD")) {
        return std::string_view(keyboard) == "1";
    }
    return bitmapIsFullKeyboard(keyBitmap);
}

std::string transportName(int bus) {
    switch (bus) {
    case BUS_USB:
        return "USB";
    case BUS_BLUETOOTH:
        return "Bluetooth";
    default:
        return "Unknown";
    }
}

} // namespace

std::optional<InputNodeInfo> readInputNodeInfo(udev_device* device) {
    const char* sysname = udev_device_get_sysname(device);
    const char* devnode = udev_device_get_devnode(device);
    if (!sysname || !devnode || !std::string_view(sysname).starts_with("event")) {
        return std::nullopt;
    }
    InputNodeInfo info;
    info.devnode = devnode;
    info.syspath = text(udev_device_get_syspath(device)).value_or("");
    // The evdev node's parent is the input device that holds name and phys.
    udev_device* input = udev_device_get_parent_with_subsystem_devtype(device, "input", nullptr);
    info.phys = attribute(input, "phys").value_or("");
    info.evdevName = attribute(input, "name").value_or("");
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    info.usbProduct = attribute(usb, "product");
    info.usbManufacturer = attribute(usb, "manufacturer");
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        info.hidName = text(udev_device_get_property_value(hid, "HID_NAME"));
        info.hidSyspath = text(udev_device_get_syspath(hid));
    }
    info.vendorID = hexAttribute(input, "id/vendor");
    info.productID = hexAttribute(input, "id/product");
    info.bustype = static_cast<int>(hexAttribute(input, "id/bustype"));
    info.uniq = attribute(input, "uniq").value_or("");
    info.physicalPath =
        unitPath(text(udev_device_get_property_value(device, "ID_PATH")).value_or(""));
    const std::string keys = attribute(input, "capabilities/key").value_or("");
    info.hasConsumerKeys = bitmapHasConsumerKeys(keys);
    info.isKeyboard = isFullKeyboard(device, keys);
    return info;
}

std::vector<InputNodeInfo> enumerateInputNodes(udev* context) {
    std::vector<InputNodeInfo> nodes;
    UdevEnumeratePtr enumerate(udev_enumerate_new(context));
    if (!enumerate) {
        return nodes;
    }
    udev_enumerate_add_match_subsystem(enumerate.get(), "input");
    udev_enumerate_add_match_sysname(enumerate.get(), "event*");
    udev_enumerate_scan_devices(enumerate.get());
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        const UdevDevicePtr device(
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry)));
        // A node that vanished since the scan simply yields no device.
        if (device) {
            if (std::optional<InputNodeInfo> info = readInputNodeInfo(device.get())) {
                nodes.push_back(std::move(*info));
            }
        }
    }
    return nodes;
}

DeviceIdentity unitOf(const InputNodeInfo& info) {
    return {.vendorID = info.vendorID,
            .productID = info.productID,
            .serialNumber = info.uniq,
            .physicalPath = info.physicalPath};
}

std::string unitPath(std::string_view idPath) {
    const size_t usb = idPath.rfind("-usb-");
    const size_t lastColon = idPath.rfind(':');
    if (usb == std::string_view::npos || lastColon == std::string_view::npos ||
        lastColon < usb + 5 || idPath.find('.', lastColon) == std::string_view::npos) {
        return std::string(idPath);
    }
    // "-usb-BUS:PORTS:CONFIG.INTERFACE": the interface part follows the
    // second colon after "-usb-".
    const size_t firstColon = idPath.find(':', usb);
    return std::string(idPath.substr(0, lastColon == firstColon ? idPath.size() : lastColon));
}

std::string productName(const InputNodeInfo& info) {
    return info.usbProduct.value_or(info.hidName.value_or(info.evdevName));
}

HidDeviceDescription describeNode(const InputNodeInfo& info) {
    HidDeviceDescription description{
        .transport = transportName(info.bustype),
        .vendorID = info.vendorID,
        .productID = info.productID,
        .serialNumber = info.uniq,
        .physicalPath = info.physicalPath,
        .kind =
            info.isKeyboard ? HidInterfaceKind::keyboardKeys : HidInterfaceKind::consumerControl,
    };
    std::string product = productName(info);
    if (!product.empty()) {
        description.product = std::move(product);
    }
    if (info.usbManufacturer) {
        description.manufacturer = *info.usbManufacturer;
    }
    return description;
}

bool bitmapHasConsumerKeys(std::string_view bitmap, unsigned bitsPerWord) {
    const std::vector<std::string_view> words = bitmapWords(bitmap);
    const std::span<const uint16_t> keys = consumerControlKeys();
    return std::any_of(keys.begin(), keys.end(),
                       [&](uint16_t code) { return bitmapHasKey(words, bitsPerWord, code); });
}

bool bitmapIsFullKeyboard(std::string_view bitmap, unsigned bitsPerWord) {
    // KEY_ESC (1) to KEY_S (31): the digits and the first rows of letters.
    const std::vector<std::string_view> words = bitmapWords(bitmap);
    for (uint16_t code = KEY_ESC; code <= KEY_S; ++code) {
        if (!bitmapHasKey(words, bitsPerWord, code)) {
            return false;
        }
    }
    return true;
}

SysfsRead readReportDescriptor(const InputNodeInfo& info) {
    if (!info.hidSyspath) {
        return {{}, ENOENT};
    }
    return readSysfsFile(*info.hidSyspath + "/report_descriptor");
}

} // namespace bindwell::linuxplatform
