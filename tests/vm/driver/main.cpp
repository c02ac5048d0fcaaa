// Runs inside the test VM as root, with uhid, evdev and uinput loaded,
// bindwellctl at /bin/bindwellctl and the step files, configurations and
// descriptors of driver/steps in /vm. Prints one PASS/FAIL line per
// expectation and a closing "N passed, N failed" line that the host script
// reads. BINDWELL_VM_ONLY=name,name runs only the named scenarios (the host
// script passes it through the kernel command line): a step file's name, or
// soak.
#include "Harness.h"
#include "Scenarios.h"

int main() {
    using namespace vmtest;
    runStepScenarios();
    constexpr Scenario kScenarios[] = {{"soak", soak}};
    return runScenarios(kScenarios);
}
