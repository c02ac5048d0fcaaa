// Time from a uhid input report (a press) to the event read back from the
// output device, through Bindwell and through a bare evdev-to-uinput forwarder (the
// floor any user-space remapper pays). Figures are printed, not asserted.
#include "Harness.h"
#include "Scenarios.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
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

struct Button {
    uint16_t usage;
    unsigned bindwellKey; // what the relacon layout posts first on press
    unsigned forwardedKey;
};

// The five consumer buttons in turn: each action comes round only every
// fifth press, so the engine's 0.1 s repeat filter drops none of them.
constexpr Button kButtons[] = {
    {0xCD, KEY_FN, KEY_PLAYPAUSE},       {0xE9, BTN_LEFT, KEY_VOLUMEUP},
    {0xEA, KEY_ESC, KEY_VOLUMEDOWN},     {0xB5, KEY_TAB, KEY_NEXTSONG},
    {0xB6, KEY_ENTER, KEY_PREVIOUSSONG},
};
constexpr long long kRepeatGapMicros = 130'000;

std::optional<long long> timePress(UhidDevice& controller, EvdevReader& out, uint16_t usage,
                                   unsigned key) {
    const long long start = nowMicros();
    controller.send(consumerReport(usage));
    while (const auto event = out.next(EV_KEY, 2000)) {
        if (event->code == key && event->value == 1) {
            return nowMicros() - start;
        }
    }
    return std::nullopt;
}

std::vector<long long> measure(UhidDevice& controller, EvdevReader& out, bool forwarded,
                               const std::function<void()>& betweenPresses) {
    std::vector<long long> samples;
    long long lastPress[std::size(kButtons)] = {};
    for (int i = 0; i < kPresses; ++i) {
        const size_t index = static_cast<size_t>(i) % std::size(kButtons);
        const long long wait = lastPress[index] + kRepeatGapMicros - nowMicros();
        if (wait > 0) {
            sleepMs(static_cast<int>(wait / 1000) + 1);
        }
        lastPress[index] = nowMicros();
        const Button& button = kButtons[index];
        if (const auto micros = timePress(controller, out, button.usage,
                                          forwarded ? button.forwardedKey : button.bindwellKey)) {
            samples.push_back(*micros);
        }
        controller.send(consumerReport(0));
        (void)out.keysWithin(2);
        betweenPresses();
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
        throughBindwell = measure(*controller, out, false, [&] { bindwell.pump(); });
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
        throughForwarder = measure(*controller, out, true, [] {});
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
          "latency: every press came through");
}

} // namespace vmtest
