#include "Harness.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <linux/input.h>
#include <sched.h>

namespace vmtest {
namespace {

int passCount = 0;
int failCount = 0;

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

int finish() {
    std::printf("vm: %d passed, %d failed\n", passCount, failCount);
    return failCount == 0 ? 0 : 1;
}

void installConfig(const std::string& file) {
    const std::filesystem::path folder = "/tmp/config/Bindwell";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file("/vm/" + file, folder / "config.json",
                               std::filesystem::copy_options::overwrite_existing);
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

std::optional<NodeDescription> controllerNode(const std::string& collection,
                                              const std::string& uniq) {
    return nodeOf({kControllerName, kControllerVendor, kControllerProduct, BUS_USB, uniq},
                  collection);
}

std::optional<NodeDescription> virtualDeviceNode() {
    return waitForNode([](const NodeDescription& node) { return node.name == kVirtualName; }, 3000);
}

std::optional<NodeDescription> cloneNode() {
    return waitForNode(
        [](const NodeDescription& node) { return node.phys.rfind("bindwell/tap", 0) == 0; }, 3000);
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
