#include "Harness.h"

#include "model/ConfigFormat.h"
#include "model/DefaultProfiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <linux/input.h>
#include <sched.h>

namespace vmtest {
namespace {

int passCount = 0;
int failCount = 0;

bindwell::DetectedHIDDevice controllerAsDetected() {
    bindwell::DetectedHIDDevice device;
    device.name = kControllerName;
    device.vendorID = kControllerVendor;
    device.productID = kControllerProduct;
    device.manufacturer = "Unknown";
    device.transport = "USB";
    device.id = bindwell::DetectedHIDDevice::makeID(device.vendorID, device.productID);
    return device;
}

} // namespace

bool check(bool condition, const std::string& name, const std::string& detail) {
    if (condition) {
        ++passCount;
        std::printf("PASS %s\n", name.c_str());
    } else {
        ++failCount;
        std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
    return condition;
}

int failures() {
    return failCount;
}

bool selected(const std::string& name) {
    const char* only = std::getenv("BINDWELL_VM_ONLY");
    const std::string named = "," + std::string(only ? only : "") + ",";
    return named == ",," || named.find("," + name + ",") != std::string::npos;
}

int runScenarios(std::span<const Scenario> scenarios) {
    for (const Scenario& scenario : scenarios) {
        if (selected(scenario.name)) {
            scenario.run();
        }
    }
    std::printf("vm: %d passed, %d failed\n", passCount, failCount);
    return failCount == 0 ? 0 : 1;
}

void installConfig(const std::string& file, const std::string& configHome) {
    const std::filesystem::path folder = std::filesystem::path(configHome) / "Bindwell";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file("/vm/" + file, folder / "config.json",
                               std::filesystem::copy_options::overwrite_existing);
}

void writeConfig(const std::vector<bindwell::DeviceProfile>& profiles,
                 const std::string& configHome) {
    const std::filesystem::path folder = std::filesystem::path(configHome) / "Bindwell";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "config.json") << bindwell::writeConfig(profiles);
}

bindwell::DeviceProfile relaconLayout() {
    return bindwell::relaconProfile(controllerAsDetected());
}

void remap(bindwell::DeviceProfile& profile, const std::string& label,
           const bindwell::RemapAction& action) {
    for (bindwell::ButtonMapping& mapping : profile.buttonMappings) {
        if (mapping.label == label) {
            mapping.action = action;
        }
    }
}

std::unique_ptr<UhidDevice> plugController(const std::string& uniq) {
    return std::make_unique<UhidDevice>(
        UhidDevice::Identity{kControllerName, kControllerVendor, kControllerProduct, BUS_USB, uniq},
        controllerDescriptor());
}

std::optional<NodeDescription> nodeOf(const UhidDevice::Identity& device,
                                      const std::string& suffix) {
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), ::tolower);
        return text;
    };
    const std::string name = lower(suffix.empty() ? device.name : device.name + " " + suffix);
    return waitForNode(
        [&](const NodeDescription& node) {
            return node.vendor == device.vendor && node.product == device.product &&
                   node.uniq == device.uniq && node.phys.rfind("bindwell", 0) != 0 &&
                   lower(node.name).rfind(name, 0) == 0;
        },
        3000);
}

std::optional<NodeDescription> controllerConsumerNode(const std::string& uniq) {
    return nodeOf({kControllerName, kControllerVendor, kControllerProduct, BUS_USB, uniq},
                  "consumer");
}

std::optional<NodeDescription> controllerMouseNode(const std::string& uniq) {
    return nodeOf({kControllerName, kControllerVendor, kControllerProduct, BUS_USB, uniq}, "mouse");
}

std::optional<NodeDescription> virtualDeviceNode() {
    return waitForNode([](const NodeDescription& node) { return node.name == kVirtualName; }, 3000);
}

std::optional<NodeDescription> cloneNode() {
    return waitForNode(
        [](const NodeDescription& node) { return node.phys.rfind("bindwell/tap", 0) == 0; }, 3000);
}

void tapUsage(UhidDevice& device, uint16_t usage) {
    device.send(consumerReport(usage));
    device.send(consumerReport(0));
    // The engine's repeat filter drops a second press of one action within 0.1 s.
    sleepMs(120);
}

bool waitForGrab(const std::string& devnode, int timeoutMs) {
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    while (tryGrab(devnode) != -EBUSY) {
        if (nowMicros() > deadline) {
            return false;
        }
        sleepMs(20);
    }
    return true;
}

bool anyGrabbed(const std::vector<NodeDescription>& nodes) {
    return std::any_of(nodes.begin(), nodes.end(),
                       [](const NodeDescription& node) { return tryGrab(node.devnode) != 0; });
}

Realtime::Realtime() {
    const sched_param realtime{10};
    raised_ = sched_setscheduler(0, SCHED_FIFO, &realtime) == 0;
}

Realtime::~Realtime() {
    const sched_param normal{0};
    if (raised_) {
        sched_setscheduler(0, SCHED_OTHER, &normal);
    }
}

void dumpOnFailure(BindwellProcess& process, int failuresBefore) {
    if (failures() > failuresBefore) {
        std::printf("---- bindwellctl output ----\n%s\n----\n", process.output().c_str());
    }
}

} // namespace vmtest
