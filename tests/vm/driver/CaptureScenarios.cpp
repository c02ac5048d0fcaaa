// Capture, every action of both layouts, the tap's relay of the mouse node,
// and two units of one model remapped at once.
#include "Harness.h"
#include "Scenarios.h"
#include "model/VirtualKeyCodes.h"

#include <csignal>
#include <linux/input.h>
#include <map>
#include <sched.h>

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
                    const std::vector<KeyEvent>& onPress, const std::vector<KeyEvent>& onRelease,
                    const std::string& name) {
    device.send(consumerReport(usage));
    expectKeys(reader, onPress, name + " press");
    device.send(consumerReport(0));
    expectKeysOrNothing(reader, onRelease, name + " release");
    sleepMs(120);
}

// evdev hands out no more events once the device is gone, and Bindwell's
// virtual device goes with its process: the releases are read while it shuts
// down, by a reader that runs as soon as they arrive.
void expectReleasedAtExit(BindwellProcess& bindwell, EvdevReader& out,
                          const std::vector<KeyEvent>& keys, const std::string& name,
                          int signal = SIGTERM) {
    const sched_param realtime{10};
    const bool prioritised = sched_setscheduler(0, SCHED_FIFO, &realtime) == 0;
    bindwell.signal(signal);
    std::vector<KeyEvent> seen;
    const bool released = out.expectKeys(keys, 2000, &seen);
    const sched_param normal{0};
    if (prioritised) {
        sched_setscheduler(0, SCHED_OTHER, &normal);
    }
    check(released, name, describe(seen));
    const int status = bindwell.wait(5000);
    check(status == 0, name + ": exit status 0", "status " + std::to_string(status));
}

} // namespace

void relaconCaptureAndActions() {
    const int failuresBefore = failures();
    writeConfig(relaconLayout());
    auto controller = plugController();
    auto other = plugOtherRemote();
    auto odd = plugOddRemote();
    const auto consumer = controllerConsumerNode();
    const auto mouse = controllerMouseNode();
    const auto otherNode =
        waitForNode([](const NodeDescription& n) { return n.name == kOtherName; }, 3000);
    if (!check(consumer && mouse && otherNode, "uhid devices appear as evdev nodes")) {
        return;
    }
    BindwellProcess bindwell({});
    check(bindwell.waitForLog(
              "✅ Seized consumer control interface for: " + std::string(kControllerName), 5000),
          "controller's consumer interface is seized");
    check(tryGrab(consumer->devnode) == -EBUSY, "seized node refuses a second grab");
    check(bindwell.countLog("⏭️ Skipping non-target device: " + std::string(kOtherName)) == 1,
          "other vendor's remote is skipped");
    check(tryGrab(otherNode->devnode) == 0, "skipped remote is not grabbed");
    check(bindwell.countLog("HID report descriptor of " + std::string(kOddName) +
                            " does not parse") == 1,
          "unparsable descriptor gets one clear line");
    check(bindwell.countLog("Consumer control interface found: Bindwell") == 0,
          "own virtual devices are never matched");
    const auto virtualNode = virtualDeviceNode();
    if (!check(virtualNode.has_value(), "virtual input device exists")) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    EvdevReader out(virtualNode->devnode);
    pressAndExpect(*controller, out, 0xCD, {{KEY_FN, 1}}, {{KEY_FN, 0}}, "Play/Pause holds Fn");
    pressAndExpect(*controller, out, 0xE9, {{BTN_LEFT, 1}}, {{BTN_LEFT, 0}},
                   "array Volume Up holds left click");
    pressAndExpect(*controller, out, 0xEA, {{KEY_ESC, 1}, {KEY_ESC, 0}}, {},
                   "array Volume Down types Escape");
    pressAndExpect(*controller, out, 0xB5, {{KEY_TAB, 1}, {KEY_TAB, 0}}, {},
                   "Skip Forward types Tab");
    pressAndExpect(*controller, out, 0xB6, {{KEY_ENTER, 1}, {KEY_ENTER, 0}}, {},
                   "Skip Back types Enter");

    // Unmapped extra buttons pass through the tap's clone of the mouse node.
    const auto clone = cloneNode();
    if (check(clone.has_value(), "tap clones the controller's mouse node")) {
        EvdevReader relay(clone->devnode);
        controller->send(mouseReport(0x04, 0, 0, 0));
        controller->send(mouseReport(0x00, 0, 0, 0));
        expectKeys(relay, {{BTN_MIDDLE, 1}, {BTN_MIDDLE, 0}}, "unmapped middle button passes");
    }

    // Hold Fn, then stop: it must come up.
    controller->send(consumerReport(0xCD));
    expectKeys(out, {{KEY_FN, 1}}, "Fn down before exit");
    expectReleasedAtExit(bindwell, out, {{KEY_FN, 0}}, "held Fn is released at exit");
    check(bindwell.countLog("Remapping stopped") == 1, "engine stopped at exit");
    check(tryGrab(consumer->devnode) == 0, "nothing left grabbed after exit");
    dumpOnFailure(bindwell, failuresBefore);
}

void genericLayoutAndTap() {
    const int failuresBefore = failures();
    bindwell::DeviceProfile profile = genericLayout();
    remap(profile, "Play/Pause", RemapAction::spaceBar());
    remap(profile, "Skip Forward", RemapAction::undoRedo());
    bindwell::KeystrokeAction reopen{bindwell::vk::kT, {.command = true, .shift = true}, "⌘⇧T"};
    remap(profile, "Skip Back", RemapAction::keystroke(reopen));
    remap(profile, "Middle Click", RemapAction::holdRightClick());
    remap(profile, "Side Button 1 (Back)", RemapAction::enterKey());
    writeConfig(profile);
    auto controller = plugController();
    BindwellProcess bindwell({});
    check(bindwell.waitForLog("✅ Seized consumer control interface", 5000), "generic: seized");
    const auto virtualNode = virtualDeviceNode();
    const auto clone = cloneNode();
    if (!check(virtualNode && clone, "generic: virtual device and clone exist")) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    EvdevReader out(virtualNode->devnode);
    EvdevReader relay(clone->devnode);
    pressAndExpect(*controller, out, 0xCD, {{KEY_SPACE, 1}, {KEY_SPACE, 0}}, {}, "Space");
    pressAndExpect(*controller, out, 0xB5,
                   {{KEY_LEFTCTRL, 1}, {KEY_Z, 1}, {KEY_Z, 0}, {KEY_LEFTCTRL, 0}}, {},
                   "undo is Ctrl+Z");
    pressAndExpect(*controller, out, 0xB6,
                   {{KEY_LEFTCTRL, 1},
                    {KEY_LEFTSHIFT, 1},
                    {KEY_T, 1},
                    {KEY_T, 0},
                    {KEY_LEFTSHIFT, 0},
                    {KEY_LEFTCTRL, 0}},
                   {}, "keystroke with modifiers");
    // Volume Up is mapped both as its usage and as its array element.
    controller->send(consumerReport(0xE9));
    expectKeys(out, {{BTN_LEFT, 1}}, "generic Volume Up holds left click");
    controller->send(consumerReport(0));
    expectKeys(out, {{BTN_LEFT, 0}}, "generic Volume Up releases the click");
    expectNothing(out, 150, "no second click from the array element");
    sleepMs(120);

    controller->send(mouseReport(0x04, 0, 0, 0)); // middle down
    expectKeys(out, {{BTN_RIGHT, 1}}, "middle button acts: right click held");
    controller->send(mouseReport(0x00, 0, 0, 0));
    expectKeys(out, {{BTN_RIGHT, 0}}, "middle release lets go of the right click");
    controller->send(mouseReport(0x08, 0, 0, 0)); // side down
    controller->send(mouseReport(0x00, 0, 0, 0));
    expectKeys(out, {{KEY_ENTER, 1}, {KEY_ENTER, 0}}, "side button types Enter");
    // The log follows the output once input is quiet, so it may still be on its way.
    check(bindwell.waitForLog("🚫 Suppressed mouse button 3", 2000) &&
              bindwell.countLog("🚫 Suppressed mouse button 3") == 1,
          "middle button logged as suppressed");
    controller->send(mouseReport(0x00, 5, -3, 0));
    const auto motion = relay.next(EV_REL, 2000);
    check(motion && motion->code == REL_X && motion->value == 5, "motion passes through the clone");
    controller->send(mouseReport(0x01, 0, 0, 0));
    controller->send(mouseReport(0x00, 0, 0, 0));
    std::vector<KeyEvent> relayed;
    check(relay.expectKeys({{BTN_LEFT, 1}, {BTN_LEFT, 0}}, 2000, &relayed),
          "left click passes through the clone");
    for (const KeyEvent& key : relayed) {
        check(key.code != BTN_MIDDLE && key.code != BTN_SIDE,
              "swallowed buttons never reach the clone", describe(relayed));
    }
    sleepMs(120); // past the repeat filter's window for the earlier middle press
    controller->send(mouseReport(0x04, 0, 0, 0));
    expectKeys(out, {{BTN_RIGHT, 1}}, "right click held before exit");
    expectReleasedAtExit(bindwell, out, {{BTN_RIGHT, 0}}, "held click is released at exit", SIGINT);
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
    check(bindwell.waitForLog("✅ Seized consumer control interface for: " +
                                  std::string(kControllerName),
                              5000, static_cast<int>(std::size(kTwins))),
          "twins: every unit is seized");
    for (const std::string& node : nodes) {
        check(tryGrab(node) == -EBUSY, "twins: " + node + " is held by Bindwell");
    }
    const auto virtualNode = virtualDeviceNode();
    if (!check(virtualNode.has_value(), "twins: virtual input device exists")) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    EvdevReader out(virtualNode->devnode);
    for (size_t i = 0; i < std::size(kTwins); ++i) {
        const std::string name = std::string("twins: ") + kTwins[i].uniq;
        pressAndExpect(*units[i], out, 0xB5, typed(kTwins[i].skipForward), {},
                       name + " Skip Forward");
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
