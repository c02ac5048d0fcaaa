#include "platform/linux/InputNodeInfo.h"

#include "platform/linux/ConsumerKeyTable.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <libevdev/libevdev.h>
#include <span>
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
    if (!value) {
        return 0;
    }
    char* end = nullptr;
    const unsigned long long number = std::strtoull(value->c_str(), &end, 16);
    return end == value->c_str() ? 0 : static_cast<int64_t>(number);
}

bool bitmapHasAnyConsumerKey(std::string_view bitmap) {
    const std::span<const uint16_t> keys = consumerControlKeys();
    return std::any_of(keys.begin(), keys.end(),
                       [bitmap](uint16_t code) { return sysfsBitmapHas(bitmap, code); });
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
    info.syspath = udev_device_get_syspath(device);
    // The evdev node's parent is the input device that holds name and phys.
    udev_device* input = udev_device_get_parent_with_subsystem_devtype(device, "input", nullptr);
    info.phys = attribute(input, "phys").value_or("");
    info.evdevName = attribute(input, "name").value_or("");
    info.vendorID = hexAttribute(input, "id/vendor");
    info.productID = hexAttribute(input, "id/product");
    info.bustype = static_cast<int>(hexAttribute(input, "id/bustype"));
    info.hasConsumerControlKeys =
        bitmapHasAnyConsumerKey(attribute(input, "capabilities/key").value_or(""));
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    info.usbProduct = attribute(usb, "product");
    info.usbManufacturer = attribute(usb, "manufacturer");
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        info.hidName = text(udev_device_get_property_value(hid, "HID_NAME"));
        info.hidSyspath = udev_device_get_syspath(hid);
    }
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

HidProperties buildHidProperties(const InputNodeInfo& info, libevdev* device) {
    HidProperties properties;
    properties.emplace(hidproperty::vendorID, int64_t{libevdev_get_id_vendor(device)});
    properties.emplace(hidproperty::productID, int64_t{libevdev_get_id_product(device)});
    const char* evdevName = libevdev_get_name(device);
    std::string product =
        info.usbProduct.value_or(info.hidName.value_or(evdevName ? evdevName : ""));
    if (!product.empty()) {
        properties.emplace(hidproperty::product, std::move(product));
    }
    if (info.usbManufacturer) {
        properties.emplace(hidproperty::manufacturer, *info.usbManufacturer);
    }
    properties.emplace(hidproperty::transport, transportName(libevdev_get_id_bustype(device)));
    return properties;
}

HidProperties buildHidProperties(const InputNodeInfo& info) {
    HidProperties properties;
    properties.emplace(hidproperty::vendorID, info.vendorID);
    properties.emplace(hidproperty::productID, info.productID);
    std::string product = info.usbProduct.value_or(info.hidName.value_or(info.evdevName));
    if (!product.empty()) {
        properties.emplace(hidproperty::product, std::move(product));
    }
    if (info.usbManufacturer) {
        properties.emplace(hidproperty::manufacturer, *info.usbManufacturer);
    }
    properties.emplace(hidproperty::transport, transportName(info.bustype));
    return properties;
}

bool sysfsBitmapHas(std::string_view bitmap, unsigned bit) {
    constexpr unsigned kWordBits = 8 * sizeof(unsigned long);
    std::vector<std::string_view> words;
    for (size_t start = 0; start < bitmap.size();) {
        const size_t end = std::min(bitmap.find_first_of(" \n", start), bitmap.size());
        if (end > start) {
            words.push_back(bitmap.substr(start, end - start));
        }
        start = end + 1;
    }
    const size_t index = bit / kWordBits;
    if (index >= words.size()) {
        return false;
    }
    const std::string word(words[words.size() - 1 - index]);
    char* end = nullptr;
    const unsigned long value = std::strtoul(word.c_str(), &end, 16);
    return end != word.c_str() && ((value >> (bit % kWordBits)) & 1UL) != 0;
}

bool hasConsumerControlKeys(libevdev* device) {
    if (!libevdev_has_event_type(device, EV_KEY)) {
        return false;
    }
    const std::span<const uint16_t> keys = consumerControlKeys();
    return std::any_of(keys.begin(), keys.end(), [device](uint16_t code) {
        return libevdev_has_event_code(device, EV_KEY, code) != 0;
    });
}

std::optional<std::vector<uint8_t>> readReportDescriptor(const InputNodeInfo& info) {
    if (!info.hidSyspath) {
        return std::nullopt;
    }
    std::ifstream file(*info.hidSyspath + "/report_descriptor", std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>()};
    if (file.bad() || bytes.empty()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace bindwell::linuxplatform
