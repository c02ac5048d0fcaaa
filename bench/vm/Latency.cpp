// Time from a uhid input report (a press) to the event read back from the
// output device, through Bindwell, through a bare evdev-to-uinput forwarder (the
// floor any user-space remapper pays) and through interception-tools, a peer
// from Debian; and a presenter's keys that Bindwell passes through against
// those it remaps. Figures are printed, not asserted.
#include "Harness.h"
#include "Layouts.h"
#include "Measurements.h"

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
// Each contender's samples of a round are taken in this many blocks, the
// contenders' blocks taken in turn: the guest's speed drifts over tens of
// seconds under software emulation, and a contender measured in one stretch
// would carry whatever drift its stretch had.
constexpr size_t kBlocks = 4;
constexpr size_t kPressesPerBlock = kPresses / kBlocks;
constexpr size_t kMotionsPerBlock = kMotions / kBlocks;

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
    unsigned bindwellKey;  // what the relacon layout posts first on press
    unsigned forwardedKey; // what the kernel makes of the usage
};
// Which key a contender posts for a button.
using PostedKey = unsigned Button::*;

// The five consumer buttons in turn: each action comes round only every
// fifth press, so the engine's 0.1 s repeat filter drops none of them.
constexpr Button kButtons[] = {
    {0xCD, KEY_FN, KEY_PLAYPAUSE},       {0xE9, BTN_LEFT, KEY_VOLUMEUP},
    {0xEA, KEY_ESC, KEY_VOLUMEDOWN},     {0xB5, KEY_TAB, KEY_NEXTSONG},
    {0xB6, KEY_ENTER, KEY_PREVIOUSSONG},
};
// Counted from when the last press of the action came out, not from when it
// was sent: the filter times presses as Bindwell handles them, and a guest
// stalled by its host could otherwise bring two of them inside its window.
constexpr long long kRepeatGapMicros = 130'000;

// Waits until a press of the action last pressed at `lastPress` (nowMicros)
// is outside the repeat filter's window.
void spaceOut(long long lastPress) {
    const long long wait = lastPress + kRepeatGapMicros - nowMicros();
    if (wait > 0) {
        sleepMs(static_cast<int>(wait / 1000) + 1);
    }
}

// The time from sending `report` until `key` goes down on `out`.
std::optional<long long> timePress(UhidDevice& device, const std::vector<uint8_t>& report,
                                   EvdevReader& out, unsigned key) {
    const long long start = nowMicros();
    device.send(report);
    while (const auto event = out.next(EV_KEY, 2000)) {
        if (event->code == key && event->value == 1) {
            return nowMicros() - start;
        }
    }
    return std::nullopt;
}

std::vector<long long> measure(UhidDevice& controller, EvdevReader& out, PostedKey posted) {
    std::vector<long long> samples;
    long long lastPress[std::size(kButtons)] = {};
    for (size_t i = 0; i < kPressesPerBlock; ++i) {
        const size_t index = i % std::size(kButtons);
        spaceOut(lastPress[index]);
        const Button& button = kButtons[index];
        if (const auto micros =
                timePress(controller, consumerReport(button.usage), out, button.*posted)) {
            samples.push_back(*micros);
        }
        lastPress[index] = nowMicros();
        controller.send(consumerReport(0));
        (void)out.keysWithin(2);
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
    for (size_t i = 0; i < kMotionsPerBlock; ++i) {
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

// How often the text appears in the output.
int occurrences(const std::string& output, const std::string& text) {
    int count = 0;
    for (size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + 1)) {
        ++count;
    }
    return count;
}

// A contender's first second is its start-up, not its steady state: each
// is measured from a second after its output device appears.
void settle() {
    sleepMs(1000);
}

struct BindwellRun {
    bool busyMainThread = false;
};

// Bindwell's presses and pointer motion, with its log going to a pipe as
// under a service manager, and the main thread free or kept busy by the
// test switch.
std::pair<std::vector<long long>, std::vector<long long>>
throughBindwell(UhidDevice& controller, const std::string& consumerNode, BindwellRun how) {
    BindwellProcess bindwell({.busyMainThread = how.busyMainThread});
    const bool seized = waitForGrab(consumerNode, 5000);
    const auto virtualNode = virtualDeviceNode();
    const auto clone = cloneNode();
    if (!check(seized && virtualNode && clone, "latency: Bindwell runs")) {
        return {};
    }
    settle();
    EvdevReader out(virtualNode->devnode);
    EvdevReader moved(clone->devnode);
    std::vector<long long> presses = measure(controller, out, &Button::bindwellKey);
    std::vector<long long> motion = measureMotion(controller, moved);
    if (presses.size() < kPressesPerBlock) {
        std::printf("latency: %zu presses lost; Bindwell's repeat filter dropped %d\n",
                    kPressesPerBlock - presses.size(),
                    occurrences(bindwell.output(), "Deduplicated"));
    }
    if (how.busyMainThread) {
        check(presses.size() == kPressesPerBlock && motion.size() == kMotionsPerBlock,
              "latency: nothing is lost while the main thread is busy");
        const auto held = heldCodes(virtualNode->devnode);
        check(held && held->empty(), "latency: nothing is left down while the main thread is busy");
    }
    (void)bindwell.stop(SIGTERM);
    return {std::move(presses), std::move(motion)};
}

// The output node of a forwarder started by `start`, what `measureWith` gets
// out of it, and the forwarder stopped again.
std::vector<long long>
throughForwarder(const std::function<std::vector<pid_t>()>& start,
                 const std::function<bool(const NodeDescription&)>& isOutput,
                 const std::string& what,
                 const std::function<std::vector<long long>(EvdevReader&)>& measureWith) {
    const std::vector<pid_t> processes = start();
    std::vector<long long> samples;
    const auto forwarded = waitForNode(isOutput, 5000);
    if (check(forwarded.has_value(), "latency: " + what + "'s device exists")) {
        settle();
        EvdevReader out(forwarded->devnode);
        samples = measureWith(out);
    }
    for (const pid_t process : processes) {
        kill(process, SIGTERM);
    }
    for (const pid_t process : processes) {
        waitpid(process, nullptr, 0);
    }
    return samples;
}

pid_t spawn(const std::vector<const char*>& argv, int in, int out) {
    const pid_t child = fork();
    if (child == 0) {
        if (in >= 0) {
            dup2(in, STDIN_FILENO);
        }
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
        }
        std::vector<char*> args;
        for (const char* arg : argv) {
            args.push_back(const_cast<char*>(arg));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return child;
}

// The bare forwarder posts the keys Bindwell posts (Enter for Previous Track,
// and so on), so the two differ only in what lies between read and write.
std::vector<long long>
throughBareForwarder(const std::string& node,
                     const std::function<std::vector<long long>(EvdevReader&)>& measureWith) {
    std::vector<std::string> translations;
    for (const Button& button : kButtons) {
        translations.push_back(std::to_string(button.forwardedKey) + "=" +
                               std::to_string(button.bindwellKey));
    }
    return throughForwarder(
        [&] {
            std::vector<const char*> argv = {"/bin/bindwell_vm_forwarder", node.c_str()};
            for (const std::string& translation : translations) {
                argv.push_back(translation.c_str());
            }
            return std::vector{spawn(argv, -1, -1)};
        },
        [](const NodeDescription& n) { return n.name == "VM Forwarder"; }, "forwarder",
        measureWith);
}

constexpr const char* kPeerReader = "/bin/interception";
constexpr const char* kPeerWriter = "/bin/uinput";

bool hasKey(const std::string& devnode, unsigned key) {
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    unsigned char bits[KEY_MAX / 8 + 1] = {};
    const bool read = fd >= 0 && ioctl(fd, EVIOCGBIT(EV_KEY, sizeof bits), bits) >= 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return read && (bits[key / 8] >> (key % 8)) & 1;
}

bool peerInstalled() {
    return ::access(kPeerReader, X_OK) == 0 && ::access(kPeerWriter, X_OK) == 0;
}

// interception-tools as a user runs it: `interception -g NODE | uinput -d NODE`.
// Its device copies the node's name and IDs, so it is told apart by being
// another node with the consumer keys.
std::vector<long long>
throughPeer(const std::string& node,
            const std::function<std::vector<long long>(EvdevReader&)>& measureWith) {
    return throughForwarder(
        [&] {
            int pipeFds[2];
            if (pipe2(pipeFds, O_CLOEXEC) != 0) {
                return std::vector<pid_t>{};
            }
            const pid_t reader = spawn({kPeerReader, "-g", node.c_str()}, -1, pipeFds[1]);
            const pid_t writer = spawn({kPeerWriter, "-d", node.c_str()}, pipeFds[0], -1);
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
            return std::vector{reader, writer};
        },
        [&](const NodeDescription& n) {
            return n.devnode != node && n.vendor == kControllerVendor &&
                   n.product == kControllerProduct && hasKey(n.devnode, KEY_VOLUMEUP);
        },
        "interception-tools", measureWith);
}

// The median over the rounds of one ratio, or 0 when a round lacks it.
double medianOf(std::vector<double> values) {
    if (values.empty() || std::find(values.begin(), values.end(), 0.0) != values.end()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double ratio(double of, double to) {
    return of > 0 && to > 0 ? of / to : 0;
}

// One round's press figures, for the summary over the rounds.
struct RoundRatios {
    double bindwellToBare = 0;
    double bindwellP99ToBare = 0;
    double peerToBare = 0;
    double bindwellToPeer = 0;
    double motionToBare = 0;
    double busyToFree = 0;
};

// A presenter's keys, remapped and passed through alternately, so that the
// guest's drift falls on both alike.
struct PresenterKey {
    uint8_t usage;
    unsigned posted;
    bindwell::RemapAction (*remappedTo)(); // none: passed through
};
constexpr PresenterKey kPresenterKeys[] = {
    {0x4E, KEY_ENTER, &bindwell::RemapAction::enterKey}, {0x05, KEY_B, nullptr},
    {0x4B, KEY_TAB, &bindwell::RemapAction::tabKey},     {0x06, KEY_C, nullptr},
    {0x3E, KEY_ESC, &bindwell::RemapAction::escapeKey},  {0x07, KEY_D, nullptr},
    {0x37, KEY_SPACE, &bindwell::RemapAction::spaceBar}, {0x08, KEY_E, nullptr},
};
constexpr size_t kPresenterPresses = 800;

const UhidDevice::Identity kPresenter{"VM Presenter", 0x1a2b, 0x5e5e, 0x03};

bindwell::DeviceProfile presenterProfile() {
    bindwell::DeviceProfile profile{.id = "presenter",
                                    .deviceName = kPresenter.name,
                                    .vendorID = kPresenter.vendor,
                                    .productID = kPresenter.product,
                                    .serialNumber = {},
                                    .physicalPath = {},
                                    .buttonMappings = {},
                                    .isActive = true};
    for (const PresenterKey& key : kPresenterKeys) {
        if (key.remappedTo != nullptr) {
            profile.buttonMappings.push_back(
                {.id = std::to_string(key.usage),
                 .source = {bindwell::kKeyboardUsagePage, key.usage, std::nullopt},
                 .action = key.remappedTo(),
                 .label = std::to_string(key.usage),
                 .isRemappable = true});
        }
    }
    return profile;
}

// A boot keyboard's report: modifiers, reserved, six key slots.
std::vector<uint8_t> keyReport(uint8_t usage) {
    return {0, 0, usage, 0, 0, 0, 0, 0};
}

} // namespace

void latency() {
    writeConfig({relaconLayout()});
    auto controller = plugController();
    const auto consumer = controllerNode("consumer");
    const auto mouse = controllerNode("mouse");
    if (!check(consumer && mouse, "latency: controller appears")) {
        return;
    }
    const bool withPeer = peerInstalled();
    if (!withPeer) {
        std::printf("latency: interception-tools is not in the image; no peer runs\n");
    }
    const auto pressesForwarded = [&](EvdevReader& out) {
        return measure(*controller, out, &Button::bindwellKey);
    };
    const auto pressesPassedThrough = [&](EvdevReader& out) {
        return measure(*controller, out, &Button::forwardedKey);
    };
    const auto motionForwarded = [&](EvdevReader& out) { return measureMotion(*controller, out); };

    // Each contender runs once a block; the blocks and rounds rotate their
    // order, so no contender always runs first or right after another one.
    struct Results {
        std::vector<long long> barePresses, bareMotion, peerPresses;
        std::pair<std::vector<long long>, std::vector<long long>> free, busy;
    };
    using Contender = std::function<void(Results&)>;
    const auto append = [](std::vector<long long>& to, std::vector<long long> samples) {
        to.insert(to.end(), samples.begin(), samples.end());
    };
    const auto appendBoth = [&](auto& to, auto samples) {
        append(to.first, std::move(samples.first));
        append(to.second, std::move(samples.second));
    };
    const std::vector<Contender> contenders = {
        [&](Results& r) {
            append(r.barePresses, throughBareForwarder(consumer->devnode, pressesForwarded));
            append(r.bareMotion, throughBareForwarder(mouse->devnode, motionForwarded));
        },
        [&](Results& r) {
            if (withPeer) {
                append(r.peerPresses, throughPeer(consumer->devnode, pressesPassedThrough));
            }
        },
        [&](Results& r) {
            appendBoth(r.free, throughBindwell(*controller, consumer->devnode, {}));
        },
        [&](Results& r) {
            appendBoth(r.busy,
                       throughBindwell(*controller, consumer->devnode, {.busyMainThread = true}));
        },
    };
    std::vector<RoundRatios> rounds;
    bool complete = true;
    for (int round = 0; round < kRounds; ++round) {
        std::printf("latency round %d of %d\n", round + 1, kRounds);
        Results results;
        for (size_t block = 0; block < kBlocks; ++block) {
            for (size_t i = 0; i < contenders.size(); ++i) {
                contenders[(i + block + size_t(round)) % contenders.size()](results);
            }
        }
        const Run bare{"press, bare forwarder", results.barePresses, kPresses};
        const Run peer{"press, interception-tools", results.peerPresses, kPresses};
        const Run free{"press, Bindwell", results.free.first, kPresses};
        const Run busy{"press, Bindwell, busy main thread", results.busy.first, kPresses};
        const Figures bareFigures = summarise(bare.samples);
        const Figures peerFigures = summarise(peer.samples);
        const Figures freeFigures = summarise(free.samples);
        print(bare, bareFigures, {});
        if (withPeer) {
            print(peer, peerFigures, bareFigures);
        }
        print(free, freeFigures, bareFigures);
        print(busy, summarise(busy.samples), bareFigures);
        const Run motionBare{"motion, bare forwarder", results.bareMotion, kMotions};
        const Run motionFree{"motion, Bindwell", results.free.second, kMotions};
        const Run motionBusy{"motion, Bindwell, busy main thread", results.busy.second, kMotions};
        const Figures motionFloor = summarise(motionBare.samples);
        print(motionBare, motionFloor, {});
        print(motionFree, summarise(motionFree.samples), motionFloor);
        print(motionBusy, summarise(motionBusy.samples), motionFloor);
        const RoundRatios ratios{
            .bindwellToBare = ratio(freeFigures.median, bareFigures.median),
            .bindwellP99ToBare = ratio(freeFigures.p99, bareFigures.p99),
            .peerToBare = ratio(peerFigures.median, bareFigures.median),
            .bindwellToPeer = ratio(freeFigures.median, peerFigures.median),
            .motionToBare = ratio(summarise(motionFree.samples).median, motionFloor.median),
            .busyToFree = ratio(summarise(busy.samples).median, freeFigures.median),
        };
        if (withPeer) {
            std::printf("latency Bindwell vs interception-tools, press median: %.2f\n",
                        ratios.bindwellToPeer);
        }
        std::printf("latency busy main thread vs free, press median: %.2f\n", ratios.busyToFree);
        rounds.push_back(ratios);
        for (const Run* run : {&bare, &free, &busy}) {
            complete = complete && run->samples.size() == kPresses;
        }
    }
    const auto over = [&](double RoundRatios::*field) {
        std::vector<double> values;
        for (const RoundRatios& round : rounds) {
            values.push_back(round.*field);
        }
        return medianOf(values);
    };
    std::printf("latency over %d rounds (median of the rounds): Bindwell/bare press median %.2f, "
                "p99 %.2f; interception-tools/bare %.2f; Bindwell/interception-tools %.2f; "
                "motion %.2f; busy/free %.2f\n",
                kRounds, over(&RoundRatios::bindwellToBare), over(&RoundRatios::bindwellP99ToBare),
                over(&RoundRatios::peerToBare), over(&RoundRatios::bindwellToPeer),
                over(&RoundRatios::motionToBare), over(&RoundRatios::busyToFree));
    std::printf("latency targets: press median <= 1.2x and p99 <= 1.5x the forwarder, below "
                "interception-tools in every round, motion median <= 1.2x, busy main thread "
                "press median <= 1.10x free\n");
    check(complete, "latency: every press came through");
}

// Passed keys against remapped ones, from a presenter's key report to the
// key read back from Bindwell's virtual keyboard.
void passedKeyLatency() {
    writeConfig({presenterProfile()});
    UhidDevice presenter(kPresenter, loadDescriptor("/vm/keyboard.hid"));
    const auto node = nodeOf(kPresenter);
    BindwellProcess bindwell({});
    const auto virtualNode = virtualDeviceNode();
    if (!check(node && waitForGrab(node->devnode, 5000) && virtualNode,
               "passed-key latency: Bindwell seizes the presenter")) {
        return;
    }
    settle();
    EvdevReader out(virtualNode->devnode);
    std::vector<long long> remapped, passed;
    long long lastPress[std::size(kPresenterKeys)] = {};
    for (size_t i = 0; i < kPresenterPresses; ++i) {
        const size_t index = i % std::size(kPresenterKeys);
        const PresenterKey& key = kPresenterKeys[index];
        spaceOut(lastPress[index]);
        if (const auto micros = timePress(presenter, keyReport(key.usage), out, key.posted)) {
            (key.remappedTo != nullptr ? remapped : passed).push_back(*micros);
        }
        lastPress[index] = nowMicros();
        presenter.send(keyReport(0));
        (void)out.keysWithin(2);
    }
    (void)bindwell.stop(SIGTERM);
    const size_t each = kPresenterPresses / 2;
    const Figures remappedFigures = summarise(remapped);
    const Figures passedFigures = summarise(passed);
    std::printf("latency presenter: remapped %zu of %zu, median %.0f us; passed %zu of %zu, "
                "median %.0f us; passed / remapped %.2f (target: <= 1.0)\n",
                remapped.size(), each, remappedFigures.median, passed.size(), each,
                passedFigures.median, ratio(passedFigures.median, remappedFigures.median));
    check(remapped.size() + passed.size() == kPresenterPresses,
          "passed-key latency: every press came through");
}

} // namespace vmtest
