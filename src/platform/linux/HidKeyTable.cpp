// One table between the kernel's key codes and the HID usages they come
// from, for the consumer page (0x0C) and the keyboard page (0x07); the
// button page is a range and needs none.
//
// Source of truth: the kernel's drivers/hid/hid-input.c, which turns usages
// into key codes (hidinput_configure_usage(): the hid_keyboard[] array for
// page 0x07, the HID_UP_CONSUMER cases for page 0x0C), with the usages named
// as in the HID Usage Tables (Keyboard/Keypad Page 0x07, Consumer Page
// 0x0C). The keyboard rows cover every usage hid_keyboard[] maps from A (0x04)
// to the right GUI key (0xE7); the vendor media keys it also maps above that
// are left out, as their consumer usages already name those keys.
//
// The engine reads usages from MSC_SCAN wherever a HID node sends it; this
// table answers when no scan code came (other drivers) and tells which keys a
// keyboard-key device may send, so the virtual keyboard can pass them on.
#include "platform/linux/HidKeyTable.h"

#include "model/HidUsages.h"

#include <algorithm>
#include <array>
#include <linux/input-event-codes.h>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

struct KeyUsage {
    uint16_t code;
    uint32_t page;
    uint32_t usage;
};

constexpr uint32_t kConsumer = hid::kConsumerPage;
constexpr uint32_t kKeyboard = hid::kKeyboardPage;

// Consumer rows first: a key two pages share is reported as consumer usage.
constexpr std::array kKeyUsages{
    // Consumer page: what handheld controllers and media remotes send.
    KeyUsage{KEY_VOLUMEUP, kConsumer, hid::kVolumeUp},
    KeyUsage{KEY_VOLUMEDOWN, kConsumer, hid::kVolumeDown},
    KeyUsage{KEY_MUTE, kConsumer, hid::kMute},
    KeyUsage{KEY_PLAYPAUSE, kConsumer, hid::kPlayPause},
    KeyUsage{KEY_NEXTSONG, kConsumer, hid::kScanNextTrack},
    KeyUsage{KEY_PREVIOUSSONG, kConsumer, hid::kScanPreviousTrack},
    KeyUsage{KEY_STOPCD, kConsumer, 0xB7},
    KeyUsage{KEY_PLAYCD, kConsumer, 0xB0},
    KeyUsage{KEY_PAUSECD, kConsumer, 0xB1},
    KeyUsage{KEY_FASTFORWARD, kConsumer, 0xB3},
    KeyUsage{KEY_REWIND, kConsumer, 0xB4},
    KeyUsage{KEY_EJECTCD, kConsumer, 0xB8},
    KeyUsage{KEY_BRIGHTNESSUP, kConsumer, 0x6F},
    KeyUsage{KEY_BRIGHTNESSDOWN, kConsumer, 0x70},
    KeyUsage{KEY_MENU, kConsumer, 0x40},
    KeyUsage{KEY_HOMEPAGE, kConsumer, 0x223},
    // Keyboard page: letters, digits and the main block.
    KeyUsage{KEY_A, kKeyboard, 0x04},
    KeyUsage{KEY_B, kKeyboard, 0x05},
    KeyUsage{KEY_C, kKeyboard, 0x06},
    KeyUsage{KEY_D, kKeyboard, 0x07},
    KeyUsage{KEY_E, kKeyboard, 0x08},
    KeyUsage{KEY_F, kKeyboard, 0x09},
    KeyUsage{KEY_G, kKeyboard, 0x0A},
    KeyUsage{KEY_H, kKeyboard, 0x0B},
    KeyUsage{KEY_I, kKeyboard, 0x0C},
    KeyUsage{KEY_J, kKeyboard, 0x0D},
    KeyUsage{KEY_K, kKeyboard, 0x0E},
    KeyUsage{KEY_L, kKeyboard, 0x0F},
    KeyUsage{KEY_M, kKeyboard, 0x10},
    KeyUsage{KEY_N, kKeyboard, 0x11},
    KeyUsage{KEY_O, kKeyboard, 0x12},
    KeyUsage{KEY_P, kKeyboard, 0x13},
    KeyUsage{KEY_Q, kKeyboard, 0x14},
    KeyUsage{KEY_R, kKeyboard, 0x15},
    KeyUsage{KEY_S, kKeyboard, 0x16},
    KeyUsage{KEY_T, kKeyboard, 0x17},
    KeyUsage{KEY_U, kKeyboard, 0x18},
    KeyUsage{KEY_V, kKeyboard, 0x19},
    KeyUsage{KEY_W, kKeyboard, 0x1A},
    KeyUsage{KEY_X, kKeyboard, 0x1B},
    KeyUsage{KEY_Y, kKeyboard, 0x1C},
    KeyUsage{KEY_Z, kKeyboard, 0x1D},
    KeyUsage{KEY_1, kKeyboard, 0x1E},
    KeyUsage{KEY_2, kKeyboard, 0x1F},
    KeyUsage{KEY_3, kKeyboard, 0x20},
    KeyUsage{KEY_4, kKeyboard, 0x21},
    KeyUsage{KEY_5, kKeyboard, 0x22},
    KeyUsage{KEY_6, kKeyboard, 0x23},
    KeyUsage{KEY_7, kKeyboard, 0x24},
    KeyUsage{KEY_8, kKeyboard, 0x25},
    KeyUsage{KEY_9, kKeyboard, 0x26},
    KeyUsage{KEY_0, kKeyboard, 0x27},
    KeyUsage{KEY_ENTER, kKeyboard, 0x28},
    KeyUsage{KEY_ESC, kKeyboard, 0x29},
    KeyUsage{KEY_BACKSPACE, kKeyboard, 0x2A},
    KeyUsage{KEY_TAB, kKeyboard, 0x2B},
    KeyUsage{KEY_SPACE, kKeyboard, 0x2C},
    KeyUsage{KEY_MINUS, kKeyboard, 0x2D},
    KeyUsage{KEY_EQUAL, kKeyboard, 0x2E},
    KeyUsage{KEY_LEFTBRACE, kKeyboard, 0x2F},
    KeyUsage{KEY_RIGHTBRACE, kKeyboard, 0x30},
    KeyUsage{KEY_BACKSLASH, kKeyboard, 0x31},
    KeyUsage{KEY_BACKSLASH, kKeyboard, 0x32}, // Non-US # and ~
    KeyUsage{KEY_SEMICOLON, kKeyboard, 0x33},
    KeyUsage{KEY_APOSTROPHE, kKeyboard, 0x34},
    KeyUsage{KEY_GRAVE, kKeyboard, 0x35},
    KeyUsage{KEY_COMMA, kKeyboard, 0x36},
    KeyUsage{KEY_DOT, kKeyboard, 0x37},
    KeyUsage{KEY_SLASH, kKeyboard, 0x38},
    KeyUsage{KEY_CAPSLOCK, kKeyboard, 0x39},
    // Function keys and the navigation block.
    KeyUsage{KEY_F1, kKeyboard, 0x3A},
    KeyUsage{KEY_F2, kKeyboard, 0x3B},
    KeyUsage{KEY_F3, kKeyboard, 0x3C},
    KeyUsage{KEY_F4, kKeyboard, 0x3D},
    KeyUsage{KEY_F5, kKeyboard, 0x3E},
    KeyUsage{KEY_F6, kKeyboard, 0x3F},
    KeyUsage{KEY_F7, kKeyboard, 0x40},
    KeyUsage{KEY_F8, kKeyboard, 0x41},
    KeyUsage{KEY_F9, kKeyboard, 0x42},
    KeyUsage{KEY_F10, kKeyboard, 0x43},
    KeyUsage{KEY_F11, kKeyboard, 0x44},
    KeyUsage{KEY_F12, kKeyboard, 0x45},
    KeyUsage{KEY_SYSRQ, kKeyboard, 0x46}, // Print Screen
    KeyUsage{KEY_SCROLLLOCK, kKeyboard, 0x47},
    KeyUsage{KEY_PAUSE, kKeyboard, 0x48},
    KeyUsage{KEY_INSERT, kKeyboard, 0x49},
    KeyUsage{KEY_HOME, kKeyboard, 0x4A},
    KeyUsage{KEY_PAGEUP, kKeyboard, 0x4B},
    KeyUsage{KEY_DELETE, kKeyboard, 0x4C},
    KeyUsage{KEY_END, kKeyboard, 0x4D},
    KeyUsage{KEY_PAGEDOWN, kKeyboard, 0x4E},
    KeyUsage{KEY_RIGHT, kKeyboard, 0x4F},
    KeyUsage{KEY_LEFT, kKeyboard, 0x50},
    KeyUsage{KEY_DOWN, kKeyboard, 0x51},
    KeyUsage{KEY_UP, kKeyboard, 0x52},
    // Keypad.
    KeyUsage{KEY_NUMLOCK, kKeyboard, 0x53},
    KeyUsage{KEY_KPSLASH, kKeyboard, 0x54},
    KeyUsage{KEY_KPASTERISK, kKeyboard, 0x55},
    KeyUsage{KEY_KPMINUS, kKeyboard, 0x56},
    KeyUsage{KEY_KPPLUS, kKeyboard, 0x57},
    KeyUsage{KEY_KPENTER, kKeyboard, 0x58},
    KeyUsage{KEY_KP1, kKeyboard, 0x59},
    KeyUsage{KEY_KP2, kKeyboard, 0x5A},
    KeyUsage{KEY_KP3, kKeyboard, 0x5B},
    KeyUsage{KEY_KP4, kKeyboard, 0x5C},
    KeyUsage{KEY_KP5, kKeyboard, 0x5D},
    KeyUsage{KEY_KP6, kKeyboard, 0x5E},
    KeyUsage{KEY_KP7, kKeyboard, 0x5F},
    KeyUsage{KEY_KP8, kKeyboard, 0x60},
    KeyUsage{KEY_KP9, kKeyboard, 0x61},
    KeyUsage{KEY_KP0, kKeyboard, 0x62},
    KeyUsage{KEY_KPDOT, kKeyboard, 0x63},
    KeyUsage{KEY_102ND, kKeyboard, 0x64},
    KeyUsage{KEY_COMPOSE, kKeyboard, 0x65}, // Application
    KeyUsage{KEY_POWER, kKeyboard, 0x66},
    KeyUsage{KEY_KPEQUAL, kKeyboard, 0x67},
    // F13 to F24: what macro pads and pedals send where no program listens.
    KeyUsage{KEY_F13, kKeyboard, 0x68},
    KeyUsage{KEY_F14, kKeyboard, 0x69},
    KeyUsage{KEY_F15, kKeyboard, 0x6A},
    KeyUsage{KEY_F16, kKeyboard, 0x6B},
    KeyUsage{KEY_F17, kKeyboard, 0x6C},
    KeyUsage{KEY_F18, kKeyboard, 0x6D},
    KeyUsage{KEY_F19, kKeyboard, 0x6E},
    KeyUsage{KEY_F20, kKeyboard, 0x6F},
    KeyUsage{KEY_F21, kKeyboard, 0x70},
    KeyUsage{KEY_F22, kKeyboard, 0x71},
    KeyUsage{KEY_F23, kKeyboard, 0x72},
    KeyUsage{KEY_F24, kKeyboard, 0x73},
    // Editing keys of old keyboards.
    KeyUsage{KEY_OPEN, kKeyboard, 0x74}, // Execute
    KeyUsage{KEY_HELP, kKeyboard, 0x75},
    KeyUsage{KEY_PROPS, kKeyboard, 0x76}, // Menu
    KeyUsage{KEY_FRONT, kKeyboard, 0x77}, // Select
    KeyUsage{KEY_STOP, kKeyboard, 0x78},
    KeyUsage{KEY_AGAIN, kKeyboard, 0x79},
    KeyUsage{KEY_UNDO, kKeyboard, 0x7A},
    KeyUsage{KEY_CUT, kKeyboard, 0x7B},
    KeyUsage{KEY_COPY, kKeyboard, 0x7C},
    KeyUsage{KEY_PASTE, kKeyboard, 0x7D},
    KeyUsage{KEY_FIND, kKeyboard, 0x7E},
    KeyUsage{KEY_MUTE, kKeyboard, 0x7F},
    KeyUsage{KEY_VOLUMEUP, kKeyboard, 0x80},
    KeyUsage{KEY_VOLUMEDOWN, kKeyboard, 0x81},
    // International and language keys.
    KeyUsage{KEY_KPCOMMA, kKeyboard, 0x85},
    KeyUsage{KEY_RO, kKeyboard, 0x87},
    KeyUsage{KEY_KATAKANAHIRAGANA, kKeyboard, 0x88},
    KeyUsage{KEY_YEN, kKeyboard, 0x89},
    KeyUsage{KEY_HENKAN, kKeyboard, 0x8A},
    KeyUsage{KEY_MUHENKAN, kKeyboard, 0x8B},
    KeyUsage{KEY_KPJPCOMMA, kKeyboard, 0x8C},
    KeyUsage{KEY_HANGEUL, kKeyboard, 0x90},
    KeyUsage{KEY_HANJA, kKeyboard, 0x91},
    KeyUsage{KEY_KATAKANA, kKeyboard, 0x92},
    KeyUsage{KEY_HIRAGANA, kKeyboard, 0x93},
    KeyUsage{KEY_ZENKAKUHANKAKU, kKeyboard, 0x94},
    KeyUsage{KEY_DELETE, kKeyboard, 0x9C}, // Clear
    KeyUsage{KEY_KPLEFTPAREN, kKeyboard, 0xB6},
    KeyUsage{KEY_KPRIGHTPAREN, kKeyboard, 0xB7},
    KeyUsage{KEY_DELETE, kKeyboard, 0xD8}, // Keypad Clear
    // Modifiers, in the order of the boot keyboard's modifier byte.
    KeyUsage{KEY_LEFTCTRL, kKeyboard, hid::kLeftControl},
    KeyUsage{KEY_LEFTSHIFT, kKeyboard, 0xE1},
    KeyUsage{KEY_LEFTALT, kKeyboard, 0xE2},
    KeyUsage{KEY_LEFTMETA, kKeyboard, 0xE3},
    KeyUsage{KEY_RIGHTCTRL, kKeyboard, 0xE4},
    KeyUsage{KEY_RIGHTSHIFT, kKeyboard, 0xE5},
    KeyUsage{KEY_RIGHTALT, kKeyboard, 0xE6},
    KeyUsage{KEY_RIGHTMETA, kKeyboard, hid::kRightGui},
};

} // namespace

std::optional<HidUsage> hidUsageForEvdevKey(uint16_t code) {
    if (code >= BTN_LEFT && code <= BTN_EXTRA) {
        return HidUsage{hid::kButtonPage, static_cast<uint32_t>(code - BTN_LEFT + 1)};
    }
    const auto* it = std::find_if(kKeyUsages.begin(), kKeyUsages.end(),
                                  [code](const KeyUsage& row) { return row.code == code; });
    if (it == kKeyUsages.end()) {
        return std::nullopt;
    }
    return HidUsage{it->page, it->usage};
}

std::optional<uint16_t> evdevKeyForHidUsage(HidUsage usage) {
    if (usage.page == hid::kButtonPage && usage.usage >= 1 &&
        usage.usage <= BTN_EXTRA - BTN_LEFT + 1) {
        return static_cast<uint16_t>(BTN_LEFT + usage.usage - 1);
    }
    const auto* it =
        std::find_if(kKeyUsages.begin(), kKeyUsages.end(), [usage](const KeyUsage& row) {
            return row.page == usage.page && row.usage == usage.usage;
        });
    if (it == kKeyUsages.end()) {
        return std::nullopt;
    }
    return it->code;
}

std::span<const uint16_t> consumerControlKeys() {
    static constexpr std::array<uint16_t, 6> kMarkers{
        KEY_VOLUMEUP, KEY_VOLUMEDOWN, KEY_MUTE, KEY_PLAYPAUSE, KEY_NEXTSONG, KEY_PREVIOUSSONG};
    return kMarkers;
}

std::span<const uint16_t> keyboardPageKeys() {
    static const std::vector<uint16_t> keys = [] {
        std::vector<uint16_t> codes;
        for (const KeyUsage& row : kKeyUsages) {
            if (row.page == kKeyboard &&
                std::find(codes.begin(), codes.end(), row.code) == codes.end()) {
                codes.push_back(row.code);
            }
        }
        return codes;
    }();
    return keys;
}

} // namespace bindwell::linuxplatform
