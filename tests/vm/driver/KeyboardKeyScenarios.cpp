// Button devices that are keyboards to the kernel, picked by a profile that
// names them: a presenter and a foot pedal, each a full boot keyboard made
// through uhid. Their keyboard node is Bindwell's alone; mapped keys do their
// action, every other key reaches the virtual keyboard as itself.
#include "Harness.h"
#include "Scenarios.h"
#include "model/DetectedHIDDevice.h"
#include "model/HidUsages.h"

#include <csignal>
#include <linux/input.h>

namespace vmtest {
namespace {
using bindwell::RemapAction;

constexpr uint8_t kNoModifiers = 0x00;
constexpr uint8_t kLeftCtrl = 0x01;

// The boot keyboard every presenter and pedal declares: a modifier byte, a
// reserved byte and six key slots, with the five LEDs as output.
const std::vector<uint8_t>& bootKeyboardDescriptor() {
    static const std::vector<uint8_t> bytes = {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,             // Keyboard, Application
        0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,             //   modifiers E0..E7
        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, //   8 x 1 bit
        0x81, 0x02,                                     //   Input (Variable)
        0x95, 0x01, 0x75, 0x08, 0x81, 0x01,             //   reserved byte
        0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, //   LEDs 1..5
        0x29, 0x05, 0x91, 0x02,                         //   Output (Variable)
        0x95, 0x01, 0x75, 0x03, 0x91, 0x01,             //   LED padding
        0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, //   6 key slots
        0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, //   Input (Array)
        0xC0,
    };
    return bytes;
}

std::vector<uint8_t> keyboardReport(uint8_t modifiers, uint8_t usage) {
    return {modifiers, 0, usage, 0, 0, 0, 0, 0};
}

struct KeyboardDevice {
    const char* name;
    uint32_t vendor;
    uint32_t product;
};

constexpr KeyboardDevice kPresenter{"VM Presenter", 0x1A2B, 0x5E5E};
constexpr KeyboardDevice kPedal{"VM Foot Switch", 0x1A86, 0xE026};

bindwell::ButtonMapping keyMapping(const std::string& label, uint8_t usage, uint8_t modifiers,
                                   const RemapAction& action) {
    bindwell::ButtonMapping mapping;
    mapping.id = label;
    mapping.label = label;
    mapping.source = {bindwell::kKeyboardUsagePage, usage, std::nullopt, modifiers};
    mapping.action = action;
    return mapping;
}

// The device's active profile: naming it is what picks it.
bindwell::DeviceProfile pickedProfile(const KeyboardDevice& device,
                                      std::vector<bindwell::ButtonMapping> mappings) {
    bindwell::DeviceProfile profile;
    profile.id = bindwell::DetectedHIDDevice::makeID(device.vendor, device.product);
    profile.deviceName = device.name;
    profile.vendorID = device.vendor;
    profile.productID = device.product;
    profile.buttonMappings = std::move(mappings);
    profile.isActive = true;
    return profile;
}

struct Picked {
    std::unique_ptr<UhidDevice> device;
    NodeDescription node;
    NodeDescription output;
};

// Plugs the device while Bindwell runs and waits until Bindwell holds its
// node; nothing when either fails (the failure is reported).
std::optional<Picked> plugAndSeize(const KeyboardDevice& device) {
    Picked picked;
    picked.device = std::make_unique<UhidDevice>(
        UhidDevice::Identity{device.name, device.vendor, device.product, BUS_USB},
        bootKeyboardDescriptor());
    const auto node = nodeNamed(device.name);
    const auto output = virtualDeviceNode();
    const std::string name = std::string(device.name) + ": its keyboard node is seized";
    if (!check(node && output && waitForGrab(node->devnode), name)) {
        return std::nullopt;
    }
    picked.node = *node;
    picked.output = *output;
    return picked;
}

// What one report pair (a press, then all keys up) posts on the output.
struct KeyCase {
    const char* name;
    uint8_t modifiers;
    uint8_t usage;
    std::vector<KeyEvent> posted;
};

void runKeyCases(Picked& picked, const std::vector<KeyCase>& cases) {
    EvdevReader out(picked.output.devnode);
    for (const KeyCase& keyCase : cases) {
        picked.device->send(keyboardReport(keyCase.modifiers, keyCase.usage));
        picked.device->send(keyboardReport(kNoModifiers, 0));
        const std::vector<KeyEvent> seen = out.keysWithin(300);
        check(seen == keyCase.posted, keyCase.name,
              "saw " + describe(seen) + ", wanted " + describe(keyCase.posted));
    }
}

} // namespace

// Page Down is mapped to Enter; other keys pass as themselves, held ones
// held; nobody else reads the presenter while Bindwell runs,
// and a passed key held at SIGTERM is let go.
void presenter() {
    const int failuresBefore = failures();
    writeConfig(pickedProfile(
        kPresenter, {keyMapping("Page Down", 0x4E, kNoModifiers, RemapAction::enterKey())}));
    BindwellProcess bindwell({});
    auto picked = plugAndSeize(kPresenter);
    if (!picked) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    EvdevReader other(picked->node.devnode);
    runKeyCases(
        *picked,
        {{"presenter: Page Down gives Enter", kNoModifiers, 0x4E, {{KEY_ENTER, 1}, {KEY_ENTER, 0}}},
         {"presenter: unmapped B passes as B", kNoModifiers, 0x05, {{KEY_B, 1}, {KEY_B, 0}}},
         {"presenter: unmapped F5 passes as F5", kNoModifiers, 0x3E, {{KEY_F5, 1}, {KEY_F5, 0}}}});
    const std::vector<KeyEvent> stolen = other.keysWithin(50);
    check(other.ok() && stolen.empty(), "presenter: no other reader sees the seized node",
          describe(stolen));

    // A held passed key stays down on the output, for the desktop to repeat;
    // the repeats the kernel makes on the presenter's node add nothing.
    EvdevReader out(picked->output.devnode);
    picked->device->send(keyboardReport(kNoModifiers, 0x3E));
    sleepMs(700);
    const auto midHold = heldCodes(picked->output.devnode);
    picked->device->send(keyboardReport(kNoModifiers, 0));
    const std::vector<KeyEvent> held = out.keysWithin(300);
    check(midHold == std::vector<unsigned>{KEY_F5} &&
              held == std::vector<KeyEvent>{{KEY_F5, 1}, {KEY_F5, 0}},
          "presenter: a passed key held 700 ms stays down until let go", describe(held));

    picked->device->send(keyboardReport(kNoModifiers, 0x05));
    check(out.expectKeys({{KEY_B, 1}}, 2000), "presenter: B held");
    {
        const Realtime first;
        bindwell.signal(SIGTERM);
        check(out.expectKeys({{KEY_B, 0}}, 2000), "presenter: SIGTERM lets go of B");
        const auto down = heldCodes(picked->output.devnode);
        check(down && down->empty(), "presenter: nothing is down on the output at SIGTERM");
    }
    check(bindwell.wait(5000) == 0 && tryGrab(picked->node.devnode) == 0,
          "presenter: clean exit frees its node");
    picked->device->send(keyboardReport(kNoModifiers, 0));
    dumpOnFailure(bindwell, failuresBefore);
}

// The pedal sends Ctrl+Z. Mapped as that combination, only its action goes
// out; another combination goes out whole, its Ctrl first; a bare Z does not
// match the combination.
void pedal() {
    const int failuresBefore = failures();
    writeConfig(
        pickedProfile(kPedal, {keyMapping("Ctrl+Z", 0x1D, kLeftCtrl, RemapAction::escapeKey())}));
    BindwellProcess bindwell({});
    auto picked = plugAndSeize(kPedal);
    if (!picked) {
        dumpOnFailure(bindwell, failuresBefore);
        return;
    }
    runKeyCases(
        *picked,
        {{"pedal: Ctrl+Z mapped gives only Escape", kLeftCtrl, 0x1D, {{KEY_ESC, 1}, {KEY_ESC, 0}}},
         {"pedal: unmapped Ctrl+X goes out with its Ctrl first",
          kLeftCtrl,
          0x1B,
          {{KEY_LEFTCTRL, 1}, {KEY_X, 1}, {KEY_LEFTCTRL, 0}, {KEY_X, 0}}},
         {"pedal: a bare Z is not the mapped Ctrl+Z",
          kNoModifiers,
          0x1D,
          {{KEY_Z, 1}, {KEY_Z, 0}}}});
    check(bindwell.stop(SIGTERM) == 0, "pedal: clean exit");
    dumpOnFailure(bindwell, failuresBefore);
}

} // namespace vmtest
