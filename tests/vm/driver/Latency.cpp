// Time from a uhid input report to the event read back from the output
// device, through Bindwell and through a bare evdev-to-uinput forwarder (the
// floor any user-space remapper pays). Figures are printed, not asserted.
#include "Harness.h"
#include "Scenarios.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <linux/input.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vmtest {
namespace {

constexpr int kPresses = 1000;

struct Figures {
    double median = 0;
    double p99 = 0;
};

Figures summarise(std::vector<long long> samples) {
    if (samples.empty()) {
        return {};
    }
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        return static_cast<double>(samples[static_cast<size_t>(q * double(samples.size() - 1))]);
    };
    return {at(0.5), at(0.99)};
}

// Release latency: a release always passes the engine's repeat filter, so
// presses can follow each other without waiting 0.1 s.
std::vector<long long> measure(UhidDevice& controller, EvdevReader& out, unsigned code) {
    std::vector<long long> samples;
    for (int i = 0; i < kPresses; ++i) {
        controller.send(consumerReport(0xCD));
        (void)out.next(EV_KEY, 3);
        out.drain();
        const long long start = nowMicros();
        controller.send(consumerReport(0));
        for (;;) {
            const auto event = out.next(EV_KEY, 1000);
            if (!event) {
                break;
            }
            if (event->code == code && event->value == 0) {
                samples.push_back(nowMicros() - start);
                break;
            }
        }
    }
    return samples;
}

void print(const char* what, const std::vector<long long>& samples, const Figures& figures) {
    std::printf("latency %s: %zu samples, median %.0f us, p99 %.0f us\n", what, samples.size(),
                figures.median, figures.p99);
}

} // namespace

void latency() {
    writeConfig(relaconLayout());
    auto controller = plugController();
    const auto consumer = controllerConsumerNode();
    std::vector<long long> throughBindwell;
    {
        BindwellProcess bindwell({});
        (void)bindwell.waitForLog("✅ Seized", 5000);
        const auto virtualNode = virtualDeviceNode();
        if (!check(virtualNode.has_value(), "latency: Bindwell's device exists")) {
            return;
        }
        EvdevReader out(virtualNode->devnode);
        throughBindwell = measure(*controller, out, KEY_FN);
        (void)bindwell.stop(SIGTERM);
    }
    std::vector<long long> throughForwarder;
    const pid_t forwarder = fork();
    if (forwarder == 0) {
        execl("/bin/bindwell_vm_forwarder", "bindwell_vm_forwarder", consumer->devnode.c_str(),
              nullptr);
        _exit(127);
    }
    const auto forwarded =
        waitForNode([](const NodeDescription& n) { return n.name == "VM Forwarder"; }, 3000);
    if (check(forwarded.has_value(), "latency: forwarder's device exists")) {
        EvdevReader out(forwarded->devnode);
        throughForwarder = measure(*controller, out, KEY_PLAYPAUSE);
    }
    kill(forwarder, SIGTERM);
    waitpid(forwarder, nullptr, 0);

    const Figures bindwellFigures = summarise(throughBindwell);
    const Figures forwarderFigures = summarise(throughForwarder);
    print("through Bindwell", throughBindwell, bindwellFigures);
    print("through a bare forwarder", throughForwarder, forwarderFigures);
    if (forwarderFigures.median > 0) {
        std::printf("latency ratio of medians: %.2f (target <= 1.5)\n",
                    bindwellFigures.median / forwarderFigures.median);
    }
    check(throughBindwell.size() == kPresses && throughForwarder.size() == kPresses,
          "latency: every release came through");
}

} // namespace vmtest
