// bindwellctl devices: the device list the setup wizard would show, then
// every input node that did not make it and why, so a user whose controller
// is missing can tell a permission problem from a device Bindwell ignores.
#include "Command.h"
#include "CtlApplication.h"
#include "engine/DeviceProperties.h"
#include "engine/HIDInterceptor.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/NodeSurvey.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace bindwell::ctl {
namespace {

using linuxplatform::NodeVerdict;
using linuxplatform::SurveyedNode;

// Consumer-control nodes are judged by the scan itself: a node whose IDs are
// not listed was left out by the scan's vendor or name filter.
std::optional<std::string> skipReason(const SurveyedNode& node,
                                      const std::vector<DetectedHIDDevice>& listed) {
    if (node.verdict != NodeVerdict::consumerControl) {
        return node.verdictText;
    }
    const bool isListed = std::any_of(listed.begin(), listed.end(), [&](const auto& device) {
        return device.vendorID == node.vendorID && device.productID == node.productID;
    });
    if (isListed) {
        return std::nullopt;
    }
    return node.devnode + (node.vendorID == 0 ? ": vendor 0" : ": name filter");
}

int devices(const std::vector<std::string_view>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: bindwellctl devices\n");
        return 2;
    }
    const CtlApplication application;
    LinuxPlatform platform;
    const std::vector<DetectedHIDDevice> listed =
        HIDInterceptor::scanConsumerControlDevices(platform);
    std::printf("Consumer-control devices (%zu):\n", listed.size());
    for (const DetectedHIDDevice& device : listed) {
        std::printf("  %s\n    %s\n", device.displayName().c_str(), device.detailText().c_str());
    }
    std::printf("Skipped input nodes:\n");
    for (const SurveyedNode& node : linuxplatform::surveyInputNodes()) {
        if (const std::optional<std::string> reason = skipReason(node, listed)) {
            std::printf("  %s  %s %s\n", reason->c_str(), node.name.c_str(),
                        describeIDs(node.vendorID, node.productID).c_str());
        }
    }
    return 0;
}

const CommandRegistration registration({
    .name = "devices",
    .usage = "devices",
    .summary = "list the controllers the setup would offer, and the input nodes it skips",
    .run = devices,
});

} // namespace
} // namespace bindwell::ctl
