// Instructions per button event (a press and its release) on bindwellctl's
// input path, counted by callgrind inside the guest: the real evdev read and
// uinput write are part of the cost, and the host has neither device. Runs
// only when named (bench/vm-input-path-callgrind.sh sets BINDWELL_VM_ONLY).
//
// Callgrind collects only inside the named function (--toggle-collect), and
// two runs of different lengths cancel what it costs at capture and
// shutdown. The functions are settings, not code, so the figures follow the
// input path's entry points as they are renamed (glob patterns of demangled
// names):
//   BINDWELL_CALLGRIND_INPUT   the input thread's handling of one readiness
//   BINDWELL_CALLGRIND_FORMAT  the main thread's turning of records into text
#include "Harness.h"
#include "Measurements.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <linux/input.h>

namespace vmtest {
namespace {

struct Button {
    uint16_t usage;
    unsigned pressKey;
};

// Taps and holds of the relacon layout in turn, each action every fifth
// press so the repeat filter drops none.
constexpr Button kButtons[] = {
    {0xB5, KEY_TAB}, {0xCD, KEY_FN}, {0xB6, KEY_ENTER}, {0xE9, BTN_LEFT}, {0xEA, KEY_ESC},
};

std::string setting(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// Collected instructions of one callgrind output file, or -1.
long long totals(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("totals:", 0) == 0) {
            return std::atoll(line.c_str() + 7);
        }
    }
    return -1;
}

// bindwellctl under callgrind, collecting inside `function`, with `events`
// button events; the instructions counted, or -1.
long long countedRun(UhidDevice& controller, const std::string& function, int events) {
    const std::string file = "/tmp/callgrind.out";
    std::remove(file.c_str());
    BindwellProcess bindwell(
        {.wrapper = {"/bin/valgrind.bin", "--tool=callgrind", "--callgrind-out-file=" + file,
                     "--toggle-collect=" + function}});
    // Valgrind under software emulation starts in tens of seconds.
    const auto consumer = controllerConsumerNode();
    const bool running = consumer && waitForGrab(consumer->devnode, 300'000);
    const auto virtualNode = running ? virtualDeviceNode() : std::nullopt;
    if (!check(virtualNode.has_value(), "callgrind: bindwellctl runs under valgrind")) {
        std::printf("%s\n", bindwell.output().c_str());
        return -1;
    }
    EvdevReader out(virtualNode->devnode);
    int arrived = 0;
    for (int i = 0; i < events; ++i) {
        const Button& button = kButtons[size_t(i) % std::size(kButtons)];
        controller.send(consumerReport(button.usage));
        arrived += out.expectKeys({{button.pressKey, 1}}, 10'000);
        controller.send(consumerReport(0));
        sleepMs(40);
        bindwell.pump();
    }
    const int status = bindwell.stop(SIGTERM, 120'000);
    check(arrived == events && status == 0, "callgrind: every press arrived, clean exit",
          std::to_string(arrived) + " of " + std::to_string(events) + ", status " +
              std::to_string(status));
    return totals(file);
}

} // namespace

void inputPathCost() {
    writeConfig(relaconLayout());
    auto controller = plugController();
    constexpr int kShort = 20;
    constexpr int kLong = 220;
    const std::pair<const char*, std::string> counted[] = {
        {"input thread (read, decide, write, hand-off)",
         setting("BINDWELL_CALLGRIND_INPUT", "*InputThread::dispatch*")},
        {"main thread (records to log lines and texts)",
         setting("BINDWELL_CALLGRIND_FORMAT", "*InputThread::drain*")},
    };
    for (const auto& [what, function] : counted) {
        const long long brief = countedRun(*controller, function, kShort);
        const long long longer = countedRun(*controller, function, kLong);
        if (brief < 0 || longer < 0) {
            std::printf("callgrind: %s: no figure\n", what);
            continue;
        }
        std::printf("callgrind: %s, inside %s: %lld instructions per button event "
                    "(%lld at %d events, %lld at %d)\n",
                    what, function.c_str(), (longer - brief) / (kLong - kShort), brief, kShort,
                    longer, kLong);
    }
}

} // namespace vmtest
