// Ten units of one model remapped at once by `bindwellctl run`, each under
// the active profile that names its serial number, measured against one unit
// under one profile: the process's context switches over ten idle seconds
// (a plugged controller nobody touches should wake nothing), its resident
// memory, and a press on each unit arriving as that unit's own key. Runs
// only when named (bench/vm-ten-controllers.sh sets BINDWELL_VM_ONLY); prints
// figures and checks only that the run worked.
#include "Harness.h"
#include "Layouts.h"
#include "Measurements.h"
#include "model/VirtualKeyCodes.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <linux/input.h>

namespace vmtest {
namespace {

namespace vk = bindwell::vk;

constexpr int kIdleMs = 10'000;
constexpr uint16_t kSkipForward = 0xB5;

// Skip Forward types a different digit on each unit.
struct Unit {
    int64_t virtualKey;
    unsigned key;
    const char* label;
};

constexpr Unit kUnits[] = {
    {vk::k1, KEY_1, "1"}, {vk::k2, KEY_2, "2"}, {vk::k3, KEY_3, "3"}, {vk::k4, KEY_4, "4"},
    {vk::k5, KEY_5, "5"}, {vk::k6, KEY_6, "6"}, {vk::k7, KEY_7, "7"}, {vk::k8, KEY_8, "8"},
    {vk::k9, KEY_9, "9"}, {vk::k0, KEY_0, "0"},
};

std::string serialOf(size_t unit) {
    char serial[24];
    std::snprintf(serial, sizeof serial, "ee:00:00:00:00:%02zx", unit);
    return serial;
}

bindwell::DeviceProfile unitProfile(size_t unit) {
    bindwell::DeviceProfile profile = relaconLayout();
    profile.id += "_" + serialOf(unit);
    profile.serialNumber = serialOf(unit);
    remap(profile, "Skip Forward",
          bindwell::RemapAction::keystroke({kUnits[unit].virtualKey, {}, kUnits[unit].label}));
    return profile;
}

// The sum of FIELD's numbers in the status files named.
long long statusSum(const std::vector<std::filesystem::path>& files, const std::string& field) {
    long long sum = 0;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind(field + ":", 0) == 0) {
                sum += std::atoll(line.c_str() + field.size() + 1);
            }
        }
    }
    return sum;
}

std::vector<std::filesystem::path> threadStatusFiles(pid_t pid) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        files.push_back(task.path() / "status");
    }
    return files;
}

// Voluntary and involuntary, over every thread of the process.
long long contextSwitches(pid_t pid) {
    const std::vector<std::filesystem::path> files = threadStatusFiles(pid);
    return statusSum(files, "voluntary_ctxt_switches") +
           statusSum(files, "nonvoluntary_ctxt_switches");
}

long long statusKb(pid_t pid, const std::string& field) {
    return statusSum({"/proc/" + std::to_string(pid) + "/status"}, field);
}

// Each unit's Skip Forward, one after another, on the virtual device.
int ownKeysArriving(std::vector<std::unique_ptr<UhidDevice>>& units) {
    const auto virtualNode = virtualDeviceNode();
    if (!virtualNode) {
        return 0;
    }
    EvdevReader out(virtualNode->devnode);
    int arrived = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        units[i]->send(consumerReport(kSkipForward));
        std::vector<KeyEvent> seen;
        const bool own = out.expectKeys({{kUnits[i].key, 1}, {kUnits[i].key, 0}}, 2000, &seen);
        units[i]->send(consumerReport(0));
        arrived += own && seen.size() == 2;
        if (!(own && seen.size() == 2)) {
            std::printf("ten controllers: unit %s sent %s\n", serialOf(i).c_str(),
                        describe(seen).c_str());
        }
        sleepMs(120);
    }
    return arrived;
}

void measure(size_t count) {
    const int failuresBefore = failures();
    const std::string name = "ten controllers: " + std::to_string(count) + " unit(s)";
    std::vector<bindwell::DeviceProfile> profiles;
    std::vector<std::unique_ptr<UhidDevice>> units;
    bool plugged = true;
    for (size_t i = 0; i < count; ++i) {
        profiles.push_back(unitProfile(i));
        units.push_back(plugController(serialOf(i)));
        plugged = plugged && controllerNode("consumer", serialOf(i)).has_value();
    }
    if (!check(plugged, name + ": every unit plugged")) {
        return;
    }
    writeConfig(profiles);
    BindwellProcess bindwell({});
    bool seized = true;
    for (size_t i = 0; i < count; ++i) {
        const auto consumer = controllerNode("consumer", serialOf(i));
        seized = seized && consumer && waitForGrab(consumer->devnode, 10'000);
    }
    if (!check(seized, name + ": every unit seized")) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    // The tap's clones and the virtual device settle first.
    sleepMs(2000);
    const long long before = contextSwitches(bindwell.pid());
    sleepMs(kIdleMs);
    const long long after = contextSwitches(bindwell.pid());
    std::printf("ten controllers: %zu unit(s): %lld context switches in %d s idle (%lld since "
                "the start, %zu threads); VmRSS %lld kB, VmHWM %lld kB\n",
                count, after - before, kIdleMs / 1000, after,
                threadStatusFiles(bindwell.pid()).size(), statusKb(bindwell.pid(), "VmRSS"),
                statusKb(bindwell.pid(), "VmHWM"));
    const int arrived = ownKeysArriving(units);
    std::printf("ten controllers: %zu unit(s): %d pressed unit(s) gave their own key\n", count,
                arrived);
    const int status = bindwell.stop(SIGTERM);
    check(arrived == static_cast<int>(count) && status == 0,
          name + ": each unit's press is its own key, clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

} // namespace

void tenControllers() {
    measure(1);
    measure(std::size(kUnits));
}

} // namespace vmtest
