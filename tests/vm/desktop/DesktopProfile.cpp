// Turns config rows of the desktop suite (guest/walks describes them) into a
// config, written to the file named by the first argument, and prints the
// plan the guest's walker follows: "usage TAB label TAB what it posts" for
// each action ("(hold) label" for a gesture's), or "- TAB label TAB why not".
// A "*" usage takes the next of the free usages the other arguments name.
// Labels are looked up in the model's catalogue rather than parsed, so one it
// does not know fails its row instead of being guessed; a recorded shortcut
// and its held form are known by their labels too.
#include "model/ConfigFormat.h"
#include "model/ShortcutCatalogue.h"
#include "model/VirtualKeyCodes.h"
#include "platform/linux/PostedKeyNames.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace bindwell;

void print(const std::string& usage, const std::string& label, const std::string& posted) {
    std::printf("%s\t%s\t%s\n", usage.c_str(), label.c_str(), posted.c_str());
}

// The action labelled LABEL, or none (and a failed plan line).
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
    print("-", label, "not in the model's catalogue");
    return std::nullopt;
}

// The button of ROW (its fields) on USAGE, with its rules and gestures.
std::optional<ButtonMapping> buttonOf(const std::vector<std::string>& row,
                                      const std::string& usage) {
    const std::optional<RemapAction> action = catalogueAction(row[1]);
    if (!action) {
        return std::nullopt;
    }
    const bool button = usage.starts_with('b');
    ButtonMapping mapping{.id = "b" + usage,
                          .source = {.usagePage = button ? kButtonUsagePage : kConsumerUsagePage,
                                     .usageID = std::stoll(button ? usage.substr(1) : usage),
                                     .matchValue = std::nullopt},
                          .action = *action,
                          .label = row[1],
                          .isRemappable = true};
    for (size_t glob = 2; glob + 1 < row.size(); glob += 2) {
        const std::optional<RemapAction> other = catalogueAction(row[glob + 1]);
        const bool hold = row[glob] == "(hold)";
        if (!other) {
            continue;
        }
        if (hold || row[glob] == "(double tap)") {
            *mapping.gestureAction(hold ? Gesture::hold : Gesture::doubleTap) = other;
            print(usage, row[glob] + " " + row[glob + 1],
                  linuxplatform::describePostedKeys(*other));
        } else {
            mapping.appOverrides.push_back({.match = row[glob], .action = *other});
            print(usage, row[glob + 1], linuxplatform::describePostedKeys(*other));
        }
    }
    print(usage, row[1], linuxplatform::describePostedKeys(*action));
    return mapping;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: bindwell_desktop_profile CONFIG.json [FREE_USAGE...] < rows\n");
        return 2;
    }
    DeviceProfile profile{.id = "desktop_remote",
                          .deviceName = "Bindwell Desktop Remote",
                          .vendorID = 0x1209,
                          .productID = 0x0b1d,
                          .serialNumber = {},
                          .physicalPath = {},
                          .buttonMappings = {},
                          .isActive = true};
    int next = 2;
    for (std::string line; std::getline(std::cin, line);) {
        std::vector<std::string> row;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) {
            row.push_back(field);
        }
        if (line.starts_with('#') || row.size() < 2) {
            continue;
        }
        if (row[0] == "*" && next == argc) {
            print("-", row[1], "no remote button left");
        } else if (std::optional<ButtonMapping> button =
                       buttonOf(row, row[0] == "*" ? argv[next++] : row[0])) {
            profile.buttonMappings.push_back(*button);
        }
    }
    std::ofstream(argv[1]) << writeConfig({profile});
    return 0;
}
