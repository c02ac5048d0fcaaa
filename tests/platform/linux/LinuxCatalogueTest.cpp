// Each preset's label must name exactly the keys it posts. The label is read
// here with the kernel's own key names, not with the notation that wrote it,
// so a wrong key code, a wrong key name or a wrong modifier shows up.
#include "CaseTable.h"
#include "model/ShortcutCatalogue.h"
#include "platform/linux/PostedKeyNames.h"
#include "platform/linux/VirtualKeyTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <map>
#include <set>

namespace bindwell::linuxplatform {
namespace {

// Names a desktop shows where the kernel's differ.
const std::map<std::string, std::string> kKernelNames{
    {"Ctrl", "KEY_LEFTCTRL"},  {"Alt", "KEY_LEFTALT"}, {"Shift", "KEY_LEFTSHIFT"},
    {"Super", "KEY_LEFTMETA"}, {"Print", "KEY_SYSRQ"}, {"Esc", "KEY_ESC"},
    {"`", "KEY_GRAVE"},        {"PgUp", "KEY_PAGEUP"}, {"PgDown", "KEY_PAGEDOWN"},
};

std::string kernelName(const std::string& name) {
    if (const auto found = kKernelNames.find(name); found != kKernelNames.end()) {
        return found->second;
    }
    std::string upper = name;
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return "KEY_" + upper;
}

// "Ctrl+Shift+Z Redo" -> "KEY_LEFTCTRL+KEY_LEFTSHIFT+KEY_Z"
std::string keysNamedBy(const std::string& label) {
    std::string combination = label.substr(0, label.find(' '));
    std::ranges::replace(combination, '+', ' ');
    std::string keys;
    for (const std::string& key : test::words(combination)) {
        keys += (keys.empty() ? "" : "+") + kernelName(key);
    }
    return keys;
}

// The picker keys its rows by label and the repeat filter keys on it, so a
// label shared by two actions would make one of them unreachable.
TEST(LinuxCatalogue, EveryLabelNamesExactlyTheKeysItPostsAndOneActionOnly) {
    std::set<std::string> labels;
    for (const auto kind : RemapAction::payloadFreeKinds()) {
        labels.insert(RemapAction::payloadFree(kind).displayName());
    }
    for (const PresetGroup& group : presetGroups()) {
        for (const RemapAction& preset : group.presets) {
            EXPECT_EQ(describePostedKeys(preset), keysNamedBy(preset.displayName()))
                << preset.displayName();
            EXPECT_TRUE(labels.insert(preset.displayName()).second) << preset.displayName();
        }
    }
}

// The virtual device enables only the postable keys, so a key outside them
// would never arrive; two codes on one key would make a label lie.
TEST(VirtualKeyTable, EveryVirtualKeyAndModifierIsADistinctPostableKey) {
    const auto postable = postableKeys();
    const std::set<uint16_t> postableSet(postable.begin(), postable.end());
    EXPECT_EQ(postableSet.size(), postable.size());
    std::set<uint16_t> seen;
    for (int64_t code = 0; code < 128; ++code) {
        if (const auto key = linuxKeyFor({.keyCode = code, .modifiers = {}})) {
            EXPECT_TRUE(seen.insert(*key).second) << "code " << code;
            EXPECT_TRUE(postableSet.contains(*key)) << "code " << code;
        }
    }
    for (const uint16_t modifier : {KEY_LEFTCTRL, KEY_LEFTMETA, KEY_LEFTALT, KEY_LEFTSHIFT}) {
        EXPECT_TRUE(postableSet.contains(modifier)) << modifier;
    }
}

TEST(PostedKeyNames, AHeldShortcutHoldsItsModifiersAndAnUnknownCodeIsNamedAsSuch) {
    EXPECT_EQ(describePostedKeys(RemapAction::holdKeystroke(
                  {.keyCode = 49, .modifiers = {.command = true}, .displayName = "Hold"})),
              "hold KEY_LEFTCTRL+KEY_SPACE");
    // Print is the keyboard's Print Screen key, except beside Alt, where that
    // key is the kernel's SysRq.
    EXPECT_EQ(describePostedKeys(RemapAction::keystroke(
                  {.keyCode = 105, .modifiers = {.option = true}, .displayName = "Alt+Print"})),
              "KEY_LEFTALT+KEY_PRINT");
    // A hand-edited code without a Linux key must not be shown as some other key.
    EXPECT_EQ(describePostedKeys(
                  RemapAction::keystroke({.keyCode = 52, .modifiers = {}, .displayName = "?"})),
              "no Linux key for code 52");
}

} // namespace
} // namespace bindwell::linuxplatform
