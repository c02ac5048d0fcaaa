// bindwellctl devices: the device list the setup wizard would show, each unit
// with its serial number or port and the active profile that claims it (a
// unit with keyboard keys marked as such), then
// every input node with what Bindwell makes of it and whether this user may
// read it, and if not, what would let them. The list itself comes from udev
// and sysfs, so it is complete before any access is granted.
#include "Command.h"
#include "CtlApplication.h"
#include "engine/DeviceProperties.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigFormat.h"
#include "model/ConfigStore.h"
#include "platform/linux/AccessRule.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/NodeSurvey.h"
#include "support/Text.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <string>

namespace bindwell::ctl {
namespace {

using linuxplatform::NodeVerdict;
using linuxplatform::SurveyedNode;

// Consumer-control nodes are judged by the scan itself: a node whose IDs are
// not listed was left out by the scan's vendor or name filter.
std::string verdictText(const SurveyedNode& node, const std::vector<DetectedHIDDevice>& listed) {
    // Our own virtual keyboard is readable too, but never a device's keys.
    if (node.isKeyboard && node.isReadable() && node.verdict != NodeVerdict::ownVirtualDevice) {
        return node.devnode + ": keyboard keys";
    }
    if (!node.isConsumerControl()) {
        return node.verdictText;
    }
    const bool isListed = std::any_of(listed.begin(), listed.end(), [&](const auto& device) {
        return device.vendorID == node.vendorID && device.productID == node.productID;
    });
    if (isListed) {
        return node.verdictText;
    }
    return node.devnode + (node.vendorID == 0 ? ": vendor 0" : ": name filter");
}

// Read, never loaded into a store: a listing must not create the folder or
// set an unreadable file aside. Without a readable file nothing is claimed.
std::vector<DeviceProfile> storedActiveProfiles() {
    QFile file(QDir(ConfigStore::defaultFolder()).filePath("config.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    ConfigReadResult result = readConfig({bytes.constData(), size_t(bytes.size())});
    std::erase_if(result.profiles, [](const DeviceProfile& profile) { return !profile.isActive; });
    return result.profiles;
}

// The closest active profile for the unit, the first of equals, as the
// engine picks it; null when none claims it.
const DeviceProfile* claimingProfile(const std::vector<DeviceProfile>& active,
                                     const DetectedHIDDevice& device) {
    const DeviceIdentity unit{.vendorID = device.vendorID,
                              .productID = device.productID,
                              .serialNumber = device.serialNumber,
                              .physicalPath = device.physicalPath};
    const DeviceProfile* closest = nullptr;
    int closestRank = -1;
    for (const DeviceProfile& profile : active) {
        if (const std::optional<int> rank = profile.matchRank(unit); rank && *rank > closestRank) {
            closest = &profile;
            closestRank = *rank;
        }
    }
    return closest;
}

// "serial a4:c1:..., port pci-...; remapped by device_1390_342", each part
// only when known.
std::string unitText(const DetectedHIDDevice& device, const DeviceProfile* claimedBy) {
    std::string text;
    const auto add = [&text](std::string_view label, const std::string& value) {
        if (!value.empty()) {
            text.append(text.empty() ? "" : ", ").append(label).append(" ").append(value);
        }
    };
    add("serial", device.serialNumber);
    add("port", device.physicalPath);
    if (claimedBy != nullptr) {
        text.append(text.empty() ? "" : "; ").append("remapped by " + claimedBy->id);
    }
    return text;
}

std::string accessText(const SurveyedNode& node) {
    if (node.isReadable()) {
        return "readable";
    }
    if (node.isKeyboard) {
        return "not readable: a keyboard, which Bindwell reads only for a device you pick by name";
    }
    const std::string grant =
        "sudo bindwellctl grant " +
        linuxplatform::formatDeviceID(
            {static_cast<uint16_t>(node.vendorID), static_cast<uint16_t>(node.productID)});
    if (node.isConsumerControl()) {
        return "not readable: Bindwell's udev rule for remotes grants it (installed with the "
               "package), or " +
               grant;
    }
    return "not readable: " + grant + " (setup asks for it when you pick the device)";
}

int devices(const std::vector<std::string_view>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: bindwellctl devices\n");
        return 2;
    }
    const CtlApplication application;
    LinuxPlatform platform;
    const std::vector<DetectedHIDDevice> listed = HIDInterceptor::scanDevices(platform);
    const std::vector<DeviceProfile> active = storedActiveProfiles();
    // Names and serials are the devices' own text, and profile names the file's.
    const auto line = [](std::string_view indent, const std::string& text) {
        std::printf("%.*s%s\n", int(indent.size()), indent.data(), escapeControls(text).c_str());
    };
    // Devices with keyboard keys come last; their mark says that picking
    // one lets Bindwell read what is typed on it.
    std::printf("Devices (%zu):\n", listed.size());
    for (const DetectedHIDDevice& device : listed) {
        line("  ", device.displayName() + (device.hasKeyboardKeys ? "  [keyboard keys]" : ""));
        line("    ", device.detailText());
        if (const std::string unit = unitText(device, claimingProfile(active, device));
            !unit.empty()) {
            line("    ", unit);
        }
    }
    std::printf("Input nodes:\n");
    for (const SurveyedNode& node : linuxplatform::surveyInputNodes()) {
        line("  ", verdictText(node, listed) + "  " + node.name + " " +
                       describeIDs(node.vendorID, node.productID));
        if (node.verdict != NodeVerdict::ownVirtualDevice) {
            line("    ", accessText(node));
        }
    }
    return 0;
}

const CommandRegistration registration({
    .name = "devices",
    .usage = "devices",
    .summary = "list the controllers setup would offer and the profile remapping each, and "
               "every input node with its access",
    .run = devices,
});

} // namespace
} // namespace bindwell::ctl
