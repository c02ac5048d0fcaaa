// Turns `bindwellctl actions` (read on stdin) into one profile that gives
// every listed action its own button of the desktop remote, so a single
// `bindwellctl run` serves the whole catalogue. Writes the profile to the
// file named by the first argument and prints the plan the guest script
// follows: "usage TAB label TAB what it posts", one line per button.
//
// With --units it reads the guest's table of units instead ("serial TAB
// usage TAB label" lines) and writes one active profile per serial, so the
// remote's units of one model each remap under their own; the plan's lines
// then begin with the serial.
//
// With --apps it reads "usage TAB label TAB glob TAB label" lines: the button
// does the first action unless the focused application fits the glob, which
// gives it the second. The plan names each action: "label TAB what it posts".
//
// The labels are looked up in the model's catalogue rather than parsed, so a
// row whose label the catalogue does not know shows as a failed line instead
// of a guess. Two actions the picker builds from a recording (a recorded
// shortcut and its "Hold while pressed" form) follow the catalogue's rows.
#include "model/ConfigFormat.h"
#include "model/ShortcutCatalogue.h"
#include "model/VirtualKeyCodes.h"
#include "platform/linux/PostedKeyNames.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace bindwell;

constexpr int64_t kVendor = 0x1209;
constexpr int64_t kProduct = 0x0b1d;
// The extra mouse button the profile maps, so the tap goes in and filters it.
constexpr int64_t kFilteredMouseButton = 4;

// Consumer usages that Linux's HID layer turns into key events (so the
// engine sees them through evdev), one per action.
constexpr std::array<int64_t, 48> kUsages{
    0x082, 0x083, 0x088, 0x089, 0x08a, 0x08b, 0x08c, 0x08d, 0x08e, 0x08f, 0x090, 0x091,
    0x092, 0x093, 0x094, 0x095, 0x096, 0x097, 0x098, 0x09a, 0x09c, 0x09d, 0x0a0, 0x0b0,
    0x0b1, 0x0b2, 0x0b3, 0x0b4, 0x0b5, 0x0b6, 0x0b7, 0x0b8, 0x0b9, 0x0bc, 0x0bf, 0x0cd,
    0x0e2, 0x0e9, 0x0ea, 0x060, 0x061, 0x063, 0x065, 0x069, 0x06a, 0x06b, 0x06c, 0x06f,
};

std::optional<RemapAction> catalogueAction(const std::string& label) {
    for (const RemapAction::Kind kind : RemapAction::payloadFreeKinds()) {
        if (RemapAction::payloadFree(kind).displayName() == label) {
            return RemapAction::payloadFree(kind);
        }
    }
    for (const PresetGroup& group : presetGroups()) {
        for (const RemapAction& preset : group.presets) {
            if (preset.displayName() == label) {
                return preset;
            }
        }
    }
    return std::nullopt;
}

std::vector<RemapAction> recordedActions() {
    const KeyModifiers ctrlShift{.command = true, .shift = true};
    return {RemapAction::keystroke({vk::kK, ctrlShift, "Ctrl+Shift+K"}),
            RemapAction::holdKeystroke({vk::kK, ctrlShift, "Hold Ctrl+Shift+K"})};
}

ButtonMapping mapping(int64_t page, int64_t usage, const RemapAction& action) {
    return {.id = "b" + std::to_string(page) + "_" + std::to_string(usage),
            .source = {.usagePage = page, .usageID = usage, .matchValue = std::nullopt},
            .action = action,
            .label = action.displayName(),
            .isRemappable = true};
}

DeviceProfile remoteProfile(const std::string& serial) {
    return {.id = serial.empty() ? "desktop_remote" : "desktop_remote_" + serial,
            .deviceName = "Bindwell Desktop Remote",
            .vendorID = kVendor,
            .productID = kProduct,
            .serialNumber = serial,
            .physicalPath = {},
            .buttonMappings = {},
            .isActive = true};
}

std::vector<DeviceProfile> catalogueProfile() {
    DeviceProfile profile = remoteProfile("");
    size_t next = 0;
    auto add = [&](const std::string& label, const std::string& posted,
                   const std::optional<RemapAction>& action) {
        if (!action) {
            std::printf("-\t%s\t%s\n", label.c_str(), posted.c_str());
            return;
        }
        if (next == kUsages.size()) {
            std::printf("-\t%s\tno remote button left\n", label.c_str());
            return;
        }
        const int64_t usage = kUsages[next++];
        profile.buttonMappings.push_back(mapping(kConsumerUsagePage, usage, *action));
        std::printf("%lld\t%s\t%s\n", static_cast<long long>(usage), label.c_str(), posted.c_str());
    };
    std::string line;
    while (std::getline(std::cin, line)) {
        const size_t tab = line.find('\t');
        if (line.starts_with('#') || tab == std::string::npos) {
            continue;
        }
        const std::string posted = line.substr(tab + 1);
        if (posted != "passthrough" && posted != "nothing") {
            add(line.substr(0, tab), posted, catalogueAction(line.substr(0, tab)));
        }
    }
    for (const RemapAction& recorded : recordedActions()) {
        add(recorded.displayName(), linuxplatform::describePostedKeys(recorded), recorded);
    }
    profile.buttonMappings.push_back(
        mapping(kButtonUsagePage, kFilteredMouseButton, RemapAction::escapeKey()));
    return {profile};
}

std::vector<DeviceProfile> unitProfiles() {
    std::vector<DeviceProfile> profiles;
    std::map<std::string, size_t> indexOf;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::string serial, usage, label;
        if (line.starts_with('#') || !std::getline(fields, serial, '\t') ||
            !std::getline(fields, usage, '\t') || !std::getline(fields, label)) {
            continue;
        }
        const std::optional<RemapAction> action = catalogueAction(label);
        if (!action) {
            std::printf("%s\t-\t%s\tnot in the model's catalogue\n", serial.c_str(), label.c_str());
            continue;
        }
        if (indexOf.emplace(serial, profiles.size()).second) {
            profiles.push_back(remoteProfile(serial));
        }
        profiles[indexOf[serial]].buttonMappings.push_back(
            mapping(kConsumerUsagePage, std::stoll(usage), *action));
        std::printf("%s\t%s\t%s\t%s\n", serial.c_str(), usage.c_str(), label.c_str(),
                    linuxplatform::describePostedKeys(*action).c_str());
    }
    return profiles;
}

std::vector<DeviceProfile> appRuleProfile() {
    DeviceProfile profile = remoteProfile("");
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::string usage, label, glob, ruleLabel;
        if (line.starts_with('#') || !std::getline(fields, usage, '\t') ||
            !std::getline(fields, label, '\t') || !std::getline(fields, glob, '\t') ||
            !std::getline(fields, ruleLabel)) {
            continue;
        }
        const std::optional<RemapAction> action = catalogueAction(label);
        const std::optional<RemapAction> ruleAction = catalogueAction(ruleLabel);
        if (!action || !ruleAction) {
            std::printf("-\tnot in the model's catalogue: %s or %s\n", label.c_str(),
                        ruleLabel.c_str());
            continue;
        }
        ButtonMapping button = mapping(kConsumerUsagePage, std::stoll(usage), *action);
        button.appOverrides.push_back({.match = glob, .action = *ruleAction});
        profile.buttonMappings.push_back(button);
        for (const RemapAction& each : {*action, *ruleAction}) {
            std::printf("%s\t%s\n", each.displayName().c_str(),
                        linuxplatform::describePostedKeys(each).c_str());
        }
    }
    return {profile};
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (argc != 2 && mode != "--units" && mode != "--apps") {
        std::fprintf(stderr,
                     "usage: bindwell_desktop_profile [--units|--apps] CONFIG.json < table\n");
        return 2;
    }
    std::ofstream(argv[argc - 1]) << writeConfig(mode == "--units"  ? unitProfiles()
                                                 : mode == "--apps" ? appRuleProfile()
                                                                    : catalogueProfile());
    return 0;
}
