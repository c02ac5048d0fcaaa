// Instructions per button event (a press and its release) of `bindwellctl
// run`, whole process and each thread, counted by callgrind inside the guest:
// the real evdev read and uinput write are part of the cost, and the host has
// neither device. Runs only when named (bench/vm-input-path-callgrind.sh sets
// BINDWELL_VM_ONLY).
//
// Callgrind counts everything, one file per thread (--separate-threads); a
// run with N button events minus a run with none, divided by N, leaves what
// the events cost, start-up and shutdown cancelled. The figure is comparable
// with a peer's (keyd, a bare forwarder) counted the same way.
#include "Harness.h"
#include "Layouts.h"
#include "Measurements.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <linux/input.h>
#include <map>

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

// Counted instructions of one callgrind output file, or -1.
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

// Instructions by thread (1 is the main thread, in order of creation).
using ThreadCounts = std::map<int, long long>;

// bindwellctl under callgrind with `events` button events; empty when it
// did not run.
ThreadCounts countedRun(UhidDevice& controller, int events) {
    const std::string file = "/tmp/callgrind-" + std::to_string(events) + ".out";
    BindwellProcess bindwell({.args = {"--tool=callgrind", "--separate-threads=yes",
                                       "--callgrind-out-file=" + file, "/bin/bindwellctl", "run"},
                              .program = "/bin/valgrind.bin"});
    // Valgrind under software emulation starts in tens of seconds.
    const auto consumer = controllerNode("consumer");
    const bool running = consumer && waitForGrab(consumer->devnode, 300'000);
    const auto virtualNode = running ? virtualDeviceNode() : std::nullopt;
    if (!check(virtualNode.has_value(), "callgrind: bindwellctl runs under valgrind")) {
        std::printf("%s\n", bindwell.output().c_str());
        return {};
    }
    EvdevReader out(virtualNode->devnode);
    int arrived = 0;
    for (int i = 0; i < events; ++i) {
        const Button& button = kButtons[size_t(i) % std::size(kButtons)];
        controller.send(consumerReport(button.usage));
        arrived += out.expectKeys({{button.pressKey, 1}}, 10'000);
        controller.send(consumerReport(0));
        sleepMs(40);
    }
    const int status = bindwell.stop(SIGTERM, 120'000);
    check(arrived == events && status == 0, "callgrind: every press arrived, clean exit",
          std::to_string(arrived) + " of " + std::to_string(events) + ", status " +
              std::to_string(status));
    ThreadCounts counts;
    for (int thread = 1; thread < 100; ++thread) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "-%02d", thread);
        const long long counted = totals(file + suffix);
        if (counted < 0) {
            break;
        }
        counts[thread] = counted;
    }
    return counts;
}

long long sum(const ThreadCounts& counts) {
    long long total = 0;
    for (const auto& [thread, counted] : counts) {
        total += counted;
    }
    return total;
}

} // namespace

void inputPathCost() {
    writeConfig({relaconLayout()});
    auto controller = plugController();
    constexpr int events = 200;
    const ThreadCounts idle = countedRun(*controller, 0);
    const ThreadCounts pressed = countedRun(*controller, events);
    if (idle.empty() || pressed.empty()) {
        std::printf("callgrind: no figure\n");
        return;
    }
    std::printf("callgrind: whole process: %lld instructions per button event "
                "(%lld with %d events, %lld with none)\n",
                (sum(pressed) - sum(idle)) / events, sum(pressed), events, sum(idle));
    for (const auto& [thread, counted] : pressed) {
        const auto before = idle.find(thread);
        const long long base = before != idle.end() ? before->second : 0;
        std::printf("callgrind: thread %d (%s): %lld instructions per button event\n", thread,
                    thread == 1   ? "main"
                    : thread == 2 ? "input"
                                  : "other",
                    (counted - base) / events);
    }
}

} // namespace vmtest
