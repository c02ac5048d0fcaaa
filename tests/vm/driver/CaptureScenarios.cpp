// What only a real kernel shows about capture: which nodes are seized and
// which are left alone, a refused seize, two units of one model remapped at
// once, a held key let go however Bindwell ends, and a burst that overflows
// the kernel's buffer. (Presses, clicks through the tap, replugs and restarts
// are the soak's.)
#include "Harness.h"
#include "Scenarios.h"

#include <csignal>
#include <fcntl.h>
#include <linux/input.h>
#include <map>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vmtest {
namespace {
using bindwell::RemapAction;

using Kind = RemapAction::Kind;

// Units of one model told apart by their serial numbers, each under a
// profile naming it: the same buttons do different things on each.
struct Twin {
    const char* uniq;
    Kind skipForward;
    Kind volumeUp;
    Kind wheelPress;
};

constexpr Twin kTwins[] = {
    {"aa:bb:cc:dd:ee:01", Kind::tabKey, Kind::holdLeftClick, Kind::none},
    {"aa:bb:cc:dd:ee:02", Kind::enterKey, Kind::holdRightClick, Kind::spaceBar},
};

// The key or button each action of the twins posts.
unsigned keyOf(Kind kind) {
    static const std::map<Kind, unsigned> keys{{Kind::tabKey, KEY_TAB},
                                               {Kind::enterKey, KEY_ENTER},
                                               {Kind::spaceBar, KEY_SPACE},
                                               {Kind::holdLeftClick, BTN_LEFT},
                                               {Kind::holdRightClick, BTN_RIGHT}};
    return keys.at(kind);
}

std::vector<KeyEvent> typed(Kind kind) {
    if (kind == Kind::none) {
        return {};
    }
    return {{keyOf(kind), 1}, {keyOf(kind), 0}};
}

bindwell::DeviceProfile twinProfile(const Twin& twin) {
    bindwell::DeviceProfile profile = relaconLayout();
    profile.id += std::string("_") + twin.uniq;
    profile.serialNumber = twin.uniq;
    remap(profile, "Skip Forward", RemapAction::payloadFree(twin.skipForward));
    remap(profile, "Volume Up", RemapAction::payloadFree(twin.volumeUp));
    remap(profile, "Scroll Wheel Press", RemapAction::payloadFree(twin.wheelPress));
    return profile;
}

void expectKeys(EvdevReader& reader, const std::vector<KeyEvent>& keys, const std::string& name) {
    std::vector<KeyEvent> seen;
    const bool ok = reader.expectKeys(keys, 2000, &seen);
    check(ok, name, "saw " + describe(seen) + ", wanted " + describe(keys));
}

void expectNothing(EvdevReader& reader, int windowMs, const std::string& name) {
    const std::vector<KeyEvent> keys = reader.keysWithin(windowMs);
    check(keys.empty(), name, "saw " + describe(keys));
}

void expectKeysOrNothing(EvdevReader& reader, const std::vector<KeyEvent>& keys,
                         const std::string& name) {
    if (keys.empty()) {
        expectNothing(reader, 150, name + " posts nothing");
    } else {
        expectKeys(reader, keys, name);
    }
}

void pressAndExpect(UhidDevice& device, EvdevReader& reader, uint16_t usage,
                    const std::vector<KeyEvent>& onPress, const std::string& name) {
    device.send(consumerReport(usage));
    expectKeysOrNothing(reader, onPress, name);
    device.send(consumerReport(0));
    sleepMs(120);
}

} // namespace

// The controller's consumer node is seized and its mouse node tapped (both
// grabbed); another vendor's remote, a remote whose descriptor does not
// parse, and Bindwell's own virtual device are left alone.
void seize() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout());
    auto controller = plugController();
    auto other = plugOtherRemote();
    auto odd = plugOddRemote();
    const auto consumer = controllerConsumerNode();
    const auto mouse = controllerMouseNode();
    const auto otherNode =
        waitForNode([](const NodeDescription& n) { return n.name == kOtherName; }, 3000);
    const auto oddNode =
        waitForNode([](const NodeDescription& n) { return n.name == kOddName; }, 3000);
    if (!check(consumer && mouse && otherNode && oddNode, "uhid devices appear as evdev nodes")) {
        return;
    }
    BindwellProcess bindwell({});
    check(waitForGrab(consumer->devnode) && waitForGrab(mouse->devnode),
          "the controller's consumer node is seized and its mouse node tapped");
    const auto virtualNode = virtualDeviceNode();
    check(virtualNode && tryGrab(virtualNode->devnode) == 0 && tryGrab(otherNode->devnode) == 0 &&
              tryGrab(oddNode->devnode) == 0,
          "other remotes and Bindwell's own device are not grabbed");
    check(bindwell.alive(), "an unparsable descriptor stops nothing");
    check(bindwell.stop(SIGTERM) == 0 && tryGrab(consumer->devnode) == 0,
          "nothing is left grabbed after a clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

// Another reader holds the controller's grab when Bindwell starts: Bindwell
// reads the node unseized, so once the holder lets go its presses are
// remapped though the node stays free.
void seizeRefused() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout());
    auto controller = plugController();
    const auto consumer = controllerConsumerNode();
    if (!check(consumer.has_value(), "seize refused: controller appears")) {
        return;
    }
    const int holder = ::open(consumer->devnode.c_str(), O_RDONLY | O_CLOEXEC);
    check(ioctl(holder, EVIOCGRAB, 1) == 0, "test holds the grab");
    BindwellProcess bindwell({});
    // The tap's clone of the mouse node comes after the consumer node's turn.
    const auto virtualNode = virtualDeviceNode();
    check(virtualNode && cloneNode(), "seize refused: Bindwell runs");
    ::close(holder);
    if (virtualNode) {
        EvdevReader out(virtualNode->devnode);
        tapUsage(*controller, 0xB5);
        check(out.expectKeys({{KEY_TAB, 1}, {KEY_TAB, 0}}, 2000) && tryGrab(consumer->devnode) == 0,
              "remapping continues unseized");
    }
    check(bindwell.stop(SIGTERM) == 0, "refused seize: clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

// A held key comes up however Bindwell ends: on SIGTERM and SIGINT Bindwell
// lets go of it, on SIGKILL the kernel does as it destroys the virtual
// device. Its release is read while the device goes away (evdev hands out
// nothing after), by a reader that runs the moment it arrives.
void exitMidHold() {
    struct Ending {
        int signal;
        int status;
        const char* name;
    };
    constexpr Ending kEndings[] = {
        {SIGTERM, 0, "SIGTERM"}, {SIGINT, 0, "SIGINT"}, {SIGKILL, 128 + SIGKILL, "SIGKILL"}};
    writeConfig(relaconLayout());
    auto controller = plugController();
    const auto consumer = controllerConsumerNode();
    for (const Ending& ending : kEndings) {
        const int failuresBefore = failures();
        const std::string name = std::string(ending.name) + " mid-hold";
        BindwellProcess bindwell({});
        const auto virtualNode = virtualDeviceNode();
        if (!check(consumer && waitForGrab(consumer->devnode) && virtualNode,
                   name + ": Bindwell runs")) {
            return;
        }
        EvdevReader out(virtualNode->devnode);
        controller->send(consumerReport(0xCD));
        expectKeys(out, {{KEY_FN, 1}}, name + ": Fn held");
        {
            const Realtime first;
            bindwell.signal(ending.signal);
            expectKeys(out, {{KEY_FN, 0}}, name + ": Fn released");
        }
        const int status = bindwell.wait(5000);
        check(status == ending.status, name + ": exit status", std::to_string(status));
        check(tryGrab(consumer->devnode) == 0, name + ": the controller is free again");
        controller->send(consumerReport(0));
        sleepMs(120);
        dumpOnFailure(bindwell, failuresBefore);
    }
}

// A burst longer than the kernel's buffer for Bindwell's reader (64 events,
// three to a report here), written while Bindwell cannot run, overflows it:
// the kernel reports SYN_DROPPED and Bindwell asks which buttons are down.
// Afterwards nothing is left down and the next press is remapped.
void overflow() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout());
    auto controller = plugController();
    const auto consumer = controllerConsumerNode();
    BindwellProcess bindwell({});
    const auto virtualNode = virtualDeviceNode();
    if (!check(consumer && waitForGrab(consumer->devnode) && virtualNode,
               "overflow: Bindwell runs")) {
        return;
    }
    EvdevReader out(virtualNode->devnode);
    {
        const Realtime first;
        for (int report = 0; report < 200; ++report) {
            controller->send(consumerReport(report % 2 == 0 ? 0xCD : 0));
        }
    }
    sleepMs(500);
    const auto held = heldCodes(virtualNode->devnode);
    check(held && held->empty(), "overflow: nothing is left down after the burst");
    out.drain();
    sleepMs(150);
    controller->send(consumerReport(0xCD));
    expectKeys(out, {{KEY_FN, 1}}, "overflow: the next press is remapped");
    controller->send(consumerReport(0));
    expectKeys(out, {{KEY_FN, 0}}, "overflow: and released");
    check(bindwell.stop(SIGTERM) == 0, "overflow: clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

// Each unit is seized and remapped by its own profile, through its consumer
// node and through the tap on its mouse node; an unplug lets go only of what
// that unit held.
void twinControllers() {
    const int failuresBefore = failures();
    std::vector<bindwell::DeviceProfile> profiles;
    std::vector<std::unique_ptr<UhidDevice>> units;
    std::vector<std::string> nodes;
    for (const Twin& twin : kTwins) {
        profiles.push_back(twinProfile(twin));
        units.push_back(plugController(twin.uniq));
        const auto consumer = controllerConsumerNode(twin.uniq);
        const auto mouse = controllerMouseNode(twin.uniq);
        if (!check(consumer && mouse, "twins: consumer and mouse node of " +
                                          std::string(twin.uniq) + " both carry its uniq")) {
            return;
        }
        nodes.insert(nodes.end(), {consumer->devnode, mouse->devnode});
    }
    writeConfig(profiles);
    BindwellProcess bindwell({});
    for (const std::string& node : nodes) {
        check(waitForGrab(node), "twins: " + node + " is held by Bindwell");
    }
    const auto virtualNode = virtualDeviceNode();
    if (!check(virtualNode.has_value(), "twins: virtual input device exists")) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    EvdevReader out(virtualNode->devnode);
    for (size_t i = 0; i < std::size(kTwins); ++i) {
        const std::string name = std::string("twins: ") + kTwins[i].uniq;
        pressAndExpect(*units[i], out, 0xB5, typed(kTwins[i].skipForward), name + " Skip Forward");
        units[i]->send(mouseReport(0x04, 0, 0, 0));
        units[i]->send(mouseReport(0x00, 0, 0, 0));
        expectKeysOrNothing(out, typed(kTwins[i].wheelPress), name + " wheel press");
        sleepMs(120);
    }

    // The second unit holds its click, then the first its own and leaves.
    const unsigned leaving = keyOf(kTwins[0].volumeUp);
    const unsigned staying = keyOf(kTwins[1].volumeUp);
    units[1]->send(consumerReport(0xE9));
    units[0]->send(consumerReport(0xE9));
    expectKeys(out, {{staying, 1}, {leaving, 1}}, "twins: each unit holds its own click");
    units[0]->unplug();
    expectKeys(out, {{leaving, 0}}, "twins: the unplugged unit's click is let go");
    expectNothing(out, 300, "twins: nothing else is let go at the unplug");
    check(heldCodes(virtualNode->devnode) == std::vector<unsigned>{staying},
          "twins: the remaining unit's click is still held");
    units[1]->send(consumerReport(0));
    expectKeys(out, {{staying, 0}}, "twins: its own release lets go of it");
    check(bindwell.stop(SIGTERM) == 0, "twins: clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

} // namespace vmtest
