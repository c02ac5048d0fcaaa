// What only a real kernel shows about capture and the soak cannot: a refused
// seize, and two units of one model remapped at once. (Which nodes are
// seized, presses, clicks through the tap, overflows, replugs and restarts
// mid-hold are the soak's.)
#include "Harness.h"
#include "Scenarios.h"

#include <csignal>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vmtest {
namespace {
using Kind = bindwell::RemapAction::Kind;

// Units of one model told apart by their serial numbers, each under a
// profile naming it: the same buttons do different things on each. Beside
// each action, the key or button it posts (0: nothing).
struct Twin {
    const char* uniq;
    Kind skipForward, volumeUp, wheelPress;
    unsigned skipKey, clickButton, wheelKey;
};

constexpr Twin kTwins[] = {
    {"aa:bb:cc:dd:ee:01", Kind::tabKey, Kind::holdLeftClick, Kind::none, KEY_TAB, BTN_LEFT, 0},
    {"aa:bb:cc:dd:ee:02", Kind::enterKey, Kind::holdRightClick, Kind::spaceBar, KEY_ENTER,
     BTN_RIGHT, KEY_SPACE},
};

bindwell::DeviceProfile twinProfile(const Twin& twin) {
    using bindwell::RemapAction;
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

// A tap of `key`, or nothing at all when it is 0.
void expectTyped(EvdevReader& reader, unsigned key, const std::string& name) {
    if (key == 0) {
        expectNothing(reader, 150, name + " posts nothing");
    } else {
        expectKeys(reader, {{key, 1}, {key, 0}}, name);
    }
}

} // namespace

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
        tapUsage(*units[i], 0xB5);
        expectTyped(out, kTwins[i].skipKey, name + " Skip Forward");
        units[i]->send(mouseReport(0x04, 0, 0, 0));
        units[i]->send(mouseReport(0x00, 0, 0, 0));
        expectTyped(out, kTwins[i].wheelKey, name + " wheel press");
    }

    // The second unit holds its click, then the first its own and leaves.
    const unsigned leaving = kTwins[0].clickButton;
    const unsigned staying = kTwins[1].clickButton;
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
