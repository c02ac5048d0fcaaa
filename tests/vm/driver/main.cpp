// Runs inside the test VM as root, with uhid, evdev and uinput loaded and
// bindwellctl at /bin/bindwellctl. Prints one PASS/FAIL line per expectation
// and a closing "N passed, N failed" line that the host script reads.
// BINDWELL_VM_ONLY=name,name runs only the named scenarios (the host script
// passes it through the kernel command line); the measurements marked below
// run only when named.
#include "Harness.h"
#include "Scenarios.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Scenario {
    const char* name;
    void (*run)();
    bool onlyWhenNamed = false;
};

constexpr Scenario kScenarios[] = {
    {"capture", vmtest::relaconCaptureAndActions},
    {"tap", vmtest::genericLayoutAndTap},
    {"twins", vmtest::twinControllers},
    {"seize", vmtest::seizeRefused},
    {"storm", vmtest::replugStorm},
    {"soak", vmtest::soak},
    {"uinput", vmtest::withoutUinput},
    {"unreadable", vmtest::unreadableNode},
    {"devices", vmtest::devicesCommand},
    {"monitor", vmtest::monitorCommand},
    {"udev", vmtest::udevRules},
    {"latency", vmtest::latency},
    {"callgrind", vmtest::inputPathCost, true},
    {"ten", vmtest::tenControllers, true},
};

bool selected(const Scenario& scenario) {
    const char* only = std::getenv("BINDWELL_VM_ONLY");
    if (!only || !*only) {
        return !scenario.onlyWhenNamed;
    }
    return ("," + std::string(only) + ",").find("," + std::string(scenario.name) + ",") !=
           std::string::npos;
}

} // namespace

int main() {
    using namespace vmtest;
    for (const Scenario& scenario : kScenarios) {
        if (selected(scenario)) {
            scenario.run();
        }
    }
    std::printf("vm: %d passed, %d failed\n", passes(), failures());
    return failures() == 0 ? 0 : 1;
}
