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

// Bindwell's presses, with its log going to a pipe as under a service
// manager, or thrown away to show what the backend and engine cost alone.
std::vector<long long> throughBindwell(UhidDevice& controller, const std::string& consumerNode,
                                       bool discardLog) {
    BindwellProcess bindwell({.discardOutput = discardLog});
    const auto seized = waitForNode(
        [&](const NodeDescription& node) {
            return node.devnode == consumerNode && tryGrab(node.devnode) == -EBUSY;
        },
        5000);
    const auto virtualNode = virtualDeviceNode();
    if (!check(seized && virtualNode, "latency: Bindwell runs")) {
        return {};
    }
    EvdevReader out(virtualNode->devnode);
    std::vector<long long> samples = measure(controller, out, false, [&] { bindwell.pump(); });
    (void)bindwell.stop(SIGTERM);
    return samples;
}

std::vector<long long> throughForwarder(UhidDevice& controller, const std::string& consumerNode) {
    const pid_t forwarder = fork();
    if (forwarder == 0) {
        execl("/bin/bindwell_vm_forwarder", "bindwell_vm_forwarder", consumerNode.c_str(), nullptr);
        _exit(127);
    }
    std::vector<long long> samples;
    const auto forwarded =
        waitForNode([](const NodeDescription& n) { return n.name == "VM Forwarder"; }, 3000);
    if (check(forwarded.has_value(), "latency: forwarder's device exists")) {
        EvdevReader out(forwarded->devnode);
        samples = measure(controller, out, true, [] {});
    }
    kill(forwarder, SIGTERM);
    waitpid(forwarder, nullptr, 0);
    return samples;
}

} // namespace

void latency() {
    writeConfig(relaconLayout());
    auto controller = plugController();
    const auto consumer = controllerConsumerNode();
    if (!check(consumer.has_value(), "latency: controller appears")) {
        return;
    }
    const std::vector<long long> logged = throughBindwell(*controller, consumer->devnode, false);
    const std::vector<long long> quiet = throughBindwell(*controller, consumer->devnode, true);
    const std::vector<long long> floor = throughForwarder(*controller, consumer->devnode);
    const Figures floorFigures = summarise(floor);
    print("through a bare forwarder", floor, floorFigures);
    for (const auto& [what, samples] : {std::pair{"through Bindwell, log to a pipe", &logged},
                                        std::pair{"through Bindwell, log discarded", &quiet}}) {
        const Figures figures = summarise(*samples);
        print(what, *samples, figures);
        if (floorFigures.median > 0) {
            std::printf("latency ratio of medians (%s): %.2f (target <= 1.5)\n", what,
                        figures.median / floorFigures.median);
        }
    }
    check(logged.size() == kPresses && quiet.size() == kPresses && floor.size() == kPresses,
          "latency: every press came through");
}

} // namespace vmtest
