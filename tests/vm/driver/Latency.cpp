// Time from a uhid input report (a press) to the event read back from the
// output device, through Bindwell and through a bare evdev-to-uinput forwarder (the
// floor any user-space remapper pays). Figures are printed, not asserted.
#include "Harness.h"
#include "Scenarios.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <iterator>
#include <linux/input.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vmtest {
namespace {

constexpr int kRounds = 3;
constexpr size_t kPresses = 400;
constexpr size_t kMotions = 500;

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
    for (size_t i = 0; i < kPresses; ++i) {
        const size_t index = i % std::size(kButtons);
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

// One moved report and the time until its REL_X comes out of `out`.
std::optional<long long> timeMotion(UhidDevice& controller, EvdevReader& out, int8_t step) {
    const long long start = nowMicros();
    controller.send(mouseReport(0, step, 0, 0));
    while (const auto event = out.next(EV_REL, 2000)) {
        if (event->code == REL_X) {
            return nowMicros() - start;
        }
    }
    return std::nullopt;
}

std::vector<long long> measureMotion(UhidDevice& controller, EvdevReader& out) {
    std::vector<long long> samples;
    for (size_t i = 0; i < kMotions; ++i) {
        // Left and right in turn, so the pointer stays where it was.
        if (const auto micros = timeMotion(controller, out, i % 2 == 0 ? 1 : -1)) {
            samples.push_back(*micros);
        }
        sleepMs(2);
    }
    return samples;
}

struct Run {
    std::string what;
    std::vector<long long> samples;
    size_t expected = 0;
};

void print(const Run& run, const Figures& figures, const Figures& floor) {
    std::printf("latency %s: %zu of %zu samples, median %.0f us, p99 %.0f us", run.what.c_str(),
                run.samples.size(), run.expected, figures.median, figures.p99);
    if (floor.median > 0 && floor.p99 > 0) {
        std::printf(", ratio median %.2f, p99 %.2f", figures.median / floor.median,
                    figures.p99 / floor.p99);
    }
    std::printf("\n");
}

struct BindwellRun {
    bool busyMainThread = false;
};

// True when no key or button is down on the node.
bool nothingHeld(const std::string& devnode) {
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    unsigned long keys[(KEY_MAX + 1) / (8 * sizeof(unsigned long)) + 1] = {};
    const bool read = ioctl(fd, EVIOCGKEY(sizeof keys), keys) >= 0;
    ::close(fd);
    return read && std::all_of(std::begin(keys), std::end(keys),
                               [](unsigned long word) { return word == 0; });
}

// Bindwell's presses and pointer motion, with its log going to a pipe as
// under a service manager, and the main thread free or kept busy by the
// test switch.
std::pair<std::vector<long long>, std::vector<long long>>
throughBindwell(UhidDevice& controller, const std::string& consumerNode, BindwellRun how) {
    BindwellProcess bindwell({.busyMainThread = how.busyMainThread});
    const auto seized = waitForNode(
        [&](const NodeDescription& node) {
            return node.devnode == consumerNode && tryGrab(node.devnode) == -EBUSY;
        },
        5000);
    const auto virtualNode = virtualDeviceNode();
    const auto clone = cloneNode();
    if (!check(seized && virtualNode && clone, "latency: Bindwell runs")) {
        return {};
    }
    EvdevReader out(virtualNode->devnode);
    EvdevReader moved(clone->devnode);
    std::vector<long long> presses = measure(controller, out, false, [&] { bindwell.pump(); });
    std::vector<long long> motion = measureMotion(controller, moved);
    if (how.busyMainThread) {
        check(presses.size() == kPresses && motion.size() == kMotions,
              "latency: nothing is lost while the main thread is busy");
        check(nothingHeld(virtualNode->devnode),
              "latency: nothing is left down while the main thread is busy");
    }
    (void)bindwell.stop(SIGTERM);
    return {std::move(presses), std::move(motion)};
}

// The bare forwarder on one node, and what `measureWith` gets out of its device.
std::vector<long long>
throughForwarder(const std::string& node,
                 const std::function<std::vector<long long>(EvdevReader&)>& measureWith) {
    const pid_t forwarder = fork();
    if (forwarder == 0) {
        execl("/bin/bindwell_vm_forwarder", "bindwell_vm_forwarder", node.c_str(), nullptr);
        _exit(127);
    }
    std::vector<long long> samples;
    const auto forwarded =
        waitForNode([](const NodeDescription& n) { return n.name == "VM Forwarder"; }, 3000);
    if (check(forwarded.has_value(), "latency: forwarder's device exists")) {
        EvdevReader out(forwarded->devnode);
        samples = measureWith(out);
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
    const auto mouse = controllerMouseNode();
    if (!check(consumer && mouse, "latency: controller appears")) {
        return;
    }
    const auto pressesForwarded = [&](EvdevReader& out) {
        return measure(*controller, out, true, [] {});
    };
    const auto motionForwarded = [&](EvdevReader& out) { return measureMotion(*controller, out); };
    // Rounds rather than one long run each: the host's load drifts, and each
    // round compares runs made within the same minute.
    bool complete = true;
    for (int round = 1; round <= kRounds; ++round) {
        std::printf("latency round %d of %d\n", round, kRounds);
        const Run pressFloor{"press, bare forwarder",
                             throughForwarder(consumer->devnode, pressesForwarded), kPresses};
        const Run motionFloor{"motion, bare forwarder",
                              throughForwarder(mouse->devnode, motionForwarded), kMotions};
        auto [calmPresses, calmMotion] = throughBindwell(*controller, consumer->devnode, {});
        auto [busyPresses, busyMotion] =
            throughBindwell(*controller, consumer->devnode, {.busyMainThread = true});
        const Run pressRuns[] = {
            {"press, Bindwell", std::move(calmPresses), kPresses},
            {"press, Bindwell, busy main thread", std::move(busyPresses), kPresses}};
        const Run motionRuns[] = {
            {"motion, Bindwell", std::move(calmMotion), kMotions},
            {"motion, Bindwell, busy main thread", std::move(busyMotion), kMotions}};
        const Figures pressFloorFigures = summarise(pressFloor.samples);
        const Figures motionFloorFigures = summarise(motionFloor.samples);
        print(pressFloor, pressFloorFigures, {});
        for (const Run& run : pressRuns) {
            print(run, summarise(run.samples), pressFloorFigures);
            complete = complete && run.samples.size() == kPresses;
        }
        print(motionFloor, motionFloorFigures, {});
        for (const Run& run : motionRuns) {
            print(run, summarise(run.samples), motionFloorFigures);
        }
        const double calm = summarise(pressRuns[0].samples).median;
        if (calm > 0) {
            std::printf("latency busy main thread vs free, press median: %.2f\n",
                        summarise(pressRuns[1].samples).median / calm);
        }
        complete = complete && pressFloor.samples.size() == kPresses;
    }
    std::printf("latency targets: press median <= 1.2x and p99 <= 1.5x the forwarder, motion "
                "median <= 1.2x, busy main thread press median <= 1.10x free\n");
    check(complete, "latency: every press came through");
}

} // namespace vmtest
