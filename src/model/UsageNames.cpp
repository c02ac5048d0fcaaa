#include "model/UsageNames.h"

#include "model/HidUsages.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

namespace bindwell {
namespace {

struct NamedUsage {
    uint32_t usage;
    std::string_view name;
};

constexpr uint32_t kKeyboardPage = 0x07;

// The keyboard page as hid-input maps it to KEY_ codes (the kernel's
// hid_keyboard table); letters, digits and function keys are counted below.
constexpr NamedUsage kKeyboardNames[] = {
    {0x28, "Enter"},       {0x29, "Esc"},         {0x2A, "Backspace"},   {0x2B, "Tab"},
    {0x2C, "Space"},       {0x2D, "Minus"},       {0x2E, "Equal"},       {0x2F, "Left Brace"},
    {0x30, "Right Brace"}, {0x31, "Backslash"},   {0x32, "Backslash"},   {0x33, "Semicolon"},
    {0x34, "Apostrophe"},  {0x35, "Grave"},       {0x36, "Comma"},       {0x37, "Dot"},
    {0x38, "Slash"},       {0x39, "Caps Lock"},   {0x46, "Print"},       {0x47, "Scroll Lock"},
    {0x48, "Pause"},       {0x49, "Insert"},      {0x4A, "Home"},        {0x4B, "Page Up"},
    {0x4C, "Delete"},      {0x4D, "End"},         {0x4E, "Page Down"},   {0x4F, "Right"},
    {0x50, "Left"},        {0x51, "Down"},        {0x52, "Up"},          {0x53, "Num Lock"},
    {0x54, "KP Slash"},    {0x55, "KP Asterisk"}, {0x56, "KP Minus"},    {0x57, "KP Plus"},
    {0x58, "KP Enter"},    {0x62, "KP 0"},        {0x63, "KP Dot"},      {0x64, "102nd"},
    {0x65, "Compose"},     {0x66, "Power"},       {0x67, "KP Equal"},    {0x75, "Help"},
    {0x76, "Menu"},        {0x78, "Stop"},        {0x79, "Again"},       {0x7A, "Undo"},
    {0x7B, "Cut"},         {0x7C, "Copy"},        {0x7D, "Paste"},       {0x7E, "Find"},
    {0x7F, "Mute"},        {0x80, "Volume Up"},   {0x81, "Volume Down"}, {0xE0, "Left Ctrl"},
    {0xE1, "Left Shift"},  {0xE2, "Left Alt"},    {0xE3, "Left Meta"},   {0xE4, "Right Ctrl"},
    {0xE5, "Right Shift"}, {0xE6, "Right Alt"},   {0xE7, "Right Meta"},
};

// The consumer usages hid-input gives a key of their own (the platform's
// consumer key table reads the other way).
constexpr NamedUsage kConsumerNames[] = {
    {hid::kVolumeUp, "Volume Up"},
    {hid::kVolumeDown, "Volume Down"},
    {hid::kMute, "Mute"},
    {hid::kPlayPause, "Play/Pause"},
    {hid::kScanNextTrack, "Next Song"},
    {hid::kScanPreviousTrack, "Previous Song"},
    {0xB7, "Stop"},
    {0xB0, "Play"},
    {0xB1, "Pause"},
    {0xB3, "Fast Forward"},
    {0xB4, "Rewind"},
    {0xB8, "Eject"},
    {0x6F, "Brightness Up"},
    {0x70, "Brightness Down"},
    {0x40, "Menu"},
    {0x223, "Home Page"},
};

constexpr NamedUsage kButtonNames[] = {
    {1, "Left Button"}, {2, "Right Button"}, {3, "Middle Button"},
    {4, "Side Button"}, {5, "Extra Button"},
};

template <size_t N> std::optional<std::string> lookUp(const NamedUsage (&table)[N], int64_t usage) {
    const auto* found = std::find_if(std::begin(table), std::end(table),
                                     [usage](const NamedUsage& n) { return n.usage == usage; });
    return found == std::end(table) ? std::nullopt : std::optional(std::string(found->name));
}

// Letters, digits, function keys and keypad digits are runs of usages.
std::optional<std::string> keyboardRun(int64_t usage) {
    if (usage >= 0x04 && usage <= 0x1D) {
        return std::string(1, static_cast<char>('A' + usage - 0x04));
    }
    if (usage >= 0x1E && usage <= 0x27) {
        return std::to_string((usage - 0x1E + 1) % 10);
    }
    if (usage >= 0x3A && usage <= 0x45) {
        return "F" + std::to_string(usage - 0x3A + 1);
    }
    if (usage >= 0x68 && usage <= 0x73) {
        return "F" + std::to_string(usage - 0x68 + 13);
    }
    if (usage >= 0x59 && usage <= 0x61) {
        return "KP " + std::to_string(usage - 0x59 + 1);
    }
    return std::nullopt;
}

std::optional<std::string> knownName(int64_t usagePage, int64_t usageID) {
    switch (usagePage) {
    case kKeyboardPage:
        if (auto run = keyboardRun(usageID)) {
            return run;
        }
        return lookUp(kKeyboardNames, usageID);
    case kConsumerUsagePage:
        return lookUp(kConsumerNames, usageID);
    case kButtonUsagePage:
        if (auto name = lookUp(kButtonNames, usageID)) {
            return name;
        }
        return "Button " + std::to_string(usageID);
    default:
        return std::nullopt;
    }
}

} // namespace

std::string usageName(int64_t usagePage, int64_t usageID, uint8_t modifiers) {
    std::string text;
    // Left and right of each modifier are bits n and n + 4, in the order
    // Ctrl, Shift, Alt, GUI; shortcuts are written Ctrl, Alt, Shift, Super.
    for (const auto& [bit, name] : {std::pair{0, "Ctrl+"}, std::pair{2, "Alt+"},
                                    std::pair{1, "Shift+"}, std::pair{3, "Super+"}}) {
        if ((modifiers & (0x11U << bit)) != 0) {
            text.append(name);
        }
    }
    if (std::optional<std::string> name = knownName(usagePage, usageID)) {
        return text + *name;
    }
    char number[48];
    std::snprintf(number, sizeof number, "Usage 0x%llx:0x%llx",
                  static_cast<unsigned long long>(usagePage),
                  static_cast<unsigned long long>(usageID));
    return text + number;
}

} // namespace bindwell
