// Runs inside the test VM as root, with uhid, evdev and uinput loaded and
// bindwellctl at /bin/bindwellctl. Prints one PASS/FAIL line per expectation
// and a closing "N passed, N failed" line that the host script reads.
#include "Harness.h"
#include "Scenarios.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    using namespace vmtest;
    const bool latencyOnly = argc > 1 && std::strcmp(argv[1], "latency") == 0;
    if (!latencyOnly) {
        relaconCaptureAndActions();
        genericLayoutAndTap();
        seizeRefused();
        unplugAndReplug();
        withoutUinput();
        unreadableNode();
        devicesCommand();
        monitorCommand();
        udevRules();
        pickerScan();
    }
    latency();
    std::printf("vm: %d passed, %d failed\n", passes(), failures());
    return failures() == 0 ? 0 : 1;
}
