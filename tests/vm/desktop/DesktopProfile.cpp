// Turns the desktop suite's table of buttons into a config and the plan the
// guest's walker follows. Reads "usage TAB label" lines on stdin, optionally
// followed by pairs "TAB glob TAB label": then the button does the first
// action unless the focused application fits the glob, which gives it the
// second. The globs "(hold)" and "(double tap)" give the button's hold and
// double-tap actions instead; their plan lines are labelled "(hold) label".
// The usage is a consumer usage (decimal), "bN" for mouse button N, or "*"
// for the next consumer usage no row has taken, so `bindwellctl actions`
// turned into rows gives every action of the catalogue its own button of
// the remote.
//
// Writes the config to the file named by the argument and prints the plan:
// "usage TAB label TAB what it posts", one line per action. The
// labels are looked up in the model's catalogue rather than parsed, so a row
// whose label the catalogue does not know shows as a failed line instead of
// a guess. Two actions the picker builds from a recording (a recorded
// shortcut and its "Hold while pressed" form) are known by their labels too.
#include "model/ConfigFormat.h"
#include "model/ShortcutCatalogue.h"
#include "model/VirtualKeyCodes.h"
#include "platform/linux/PostedKeyNames.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace bindwell;

// Consumer usages that Linux's HID layer turns into key events (so the
// engine sees them through evdev), one per action.
constexpr std::array<int64_t, 48> kUsages{
    0x082, 0x083, 0x088, 0x089, 0x08a, 0x08b, 0x08c, 0x08d, 0x08e, 0x08f, 0x090, 0x091,
    0x092, 0x093, 0x094, 0x095, 0x096, 0x097, 0x098, 0x09a, 0x09c, 0x09d, 0x0a0, 0x0b0,
    0x0b1, 0x0b2, 0x0b3, 0x0b4, 0x0b5, 0x0b6, 0x0b7, 0x0b8, 0x0b9, 0x0bc, 0x0bf, 0x0cd,
    0x0e2, 0x0e9, 0x0ea, 0x060, 0x061, 0x063, 0x065, 0x069, 0x06a, 0x06b, 0x06c, 0x06f,
};

std::optional<RemapAction> catalogueAction(const std::string& label) {
    std::vector<RemapAction> known;
    for (const RemapAction::Kind kind : RemapAction::payloadFreeKinds()) {
        known.push_back(RemapAction::payloadFree(kind));
    }
    for (const PresetGroup& group : presetGroups()) {
        known.insert(known.end(), group.presets.begin(), group.presets.end());
    }
    const KeyModifiers ctrlShift{.command = true, .shift = true};
    known.push_back(RemapAction::keystroke({vk::kK, ctrlShift, "Ctrl+Shift+K"}));
    known.push_back(RemapAction::holdKeystroke({vk::kK, ctrlShift, "Hold Ctrl+Shift+K"}));
    for (const RemapAction& action : known) {
        if (action.displayName() == label) {
            return action;
        }
    }
    return std::nullopt;
}

struct Extra {
    std::string glob, label;
};

struct Row {
    std::string usage, label;
    std::vector<Extra> extras;
};

std::optional<RemapAction>* gestureSlot(ButtonMapping& mapping, const std::string& glob) {
    if (glob == "(hold)") {
        return &mapping.holdAction;
    }
    return glob == "(double tap)" ? &mapping.doubleTapAction : nullptr;
}

class Plan {
public:
    void add(const Row& row) {
        const std::optional<RemapAction> action = catalogueAction(row.label);
        if (!action) {
            print("-", row.label, "not in the model's catalogue");
            return;
        }
        if (row.usage == "*" && next_ == kUsages.size()) {
            print("-", row.label, "no remote button left");
            return;
        }
        const std::string usage = row.usage == "*" ? std::to_string(kUsages[next_++]) : row.usage;
        const bool button = usage.starts_with('b');
        const int64_t id = std::stoll(button ? usage.substr(1) : usage);
        ButtonMapping mapping{
            .id = "b" + usage,
            .source = {.usagePage = button ? kButtonUsagePage : kConsumerUsagePage,
                       .usageID = id,
                       .matchValue = std::nullopt},
            .action = *action,
            .label = action->displayName(),
            .isRemappable = true};
        for (const Extra& extra : row.extras) {
            const std::optional<RemapAction> other = catalogueAction(extra.label);
            if (!other) {
                print("-", extra.label, "not in the model's catalogue");
                continue;
            }
            if (std::optional<RemapAction>* slot = gestureSlot(mapping, extra.glob)) {
                *slot = other;
                print(usage, extra.glob + " " + extra.label,
                      linuxplatform::describePostedKeys(*other));
                continue;
            }
            mapping.appOverrides.push_back({.match = extra.glob, .action = *other});
            print(usage, extra.label, linuxplatform::describePostedKeys(*other));
        }
        profile_.buttonMappings.push_back(mapping);
        print(usage, row.label, linuxplatform::describePostedKeys(*action));
    }

    [[nodiscard]] const DeviceProfile& profile() const { return profile_; }

private:
    static void print(const std::string& usage, const std::string& label,
                      const std::string& posted) {
        std::printf("%s\t%s\t%s\n", usage.c_str(), label.c_str(), posted.c_str());
    }

    DeviceProfile profile_{.id = "desktop_remote",
                           .deviceName = "Bindwell Desktop Remote",
                           .vendorID = 0x1209,
                           .productID = 0x0b1d,
                           .serialNumber = {},
                           .physicalPath = {},
                           .buttonMappings = {},
                           .isActive = true};
    size_t next_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bindwell_desktop_profile CONFIG.json < table\n");
        return 2;
    }
    Plan plan;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        Row row;
        if (!line.starts_with('#') && std::getline(fields, row.usage, '\t') &&
            std::getline(fields, row.label, '\t')) {
            Extra extra;
            while (std::getline(fields, extra.glob, '\t') &&
                   std::getline(fields, extra.label, '\t')) {
                row.extras.push_back(extra);
            }
            plan.add(row);
        }
    }
    std::ofstream(argv[1]) << writeConfig(std::vector{plan.profile()});
    return 0;
}
