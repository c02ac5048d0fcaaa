// Runs inside the test VM as root, with uhid, evdev and uinput loaded and
// bindwellctl at /bin/bindwellctl. Prints one PASS/FAIL line per expectation
// and a closing "N passed, N failed" line that the host script reads.
// BINDWELL_VM_ONLY=name,name runs only the named scenarios (the host script
// passes it through the kernel command line).
#include "Harness.h"
#include "Scenarios.h"

int main() {
    using namespace vmtest;
    constexpr Scenario kScenarios[] = {
        {"refused", seizeRefused}, {"twins", twinControllers},     {"soak", soak},
        {"uinput", withoutUinput}, {"unreadable", unreadableNode}, {"commands", commands},
        {"udev", udevRules},       {"presenter", presenter},       {"pedal", pedal},
        {"gestures", gestures},
    };
    return runScenarios(kScenarios);
}
