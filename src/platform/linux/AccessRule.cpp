#include "platform/linux/AccessRule.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<uint16_t> parseHalf(std::string_view digits) {
    if (digits.size() != 4) {
        return std::nullopt;
    }
    for (const char c : digits) {
        if (!isHexDigit(c)) {
            return std::nullopt;
        }
    }
    uint16_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return value;
}

std::string hex4(uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// The value goes between double quotes in a udev match, where a quote or a
// backslash would end or escape it and * ? [ ] | would widen it.
bool isLiteralRuleValue(std::string_view value) {
    return !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return c >= 0x20 && c < 0x7f &&
               std::string_view(R"("\*?[]|)").find(c) == std::string_view::npos;
    });
}

// Every interface of a USB unit has the unit's path with ":CONFIG.INTERFACE"
// after it; any other unit's path is the interface's own.
std::string unitMatch(const PickedUnit& unit) {
    if (isLiteralRuleValue(unit.serialNumber)) {
        return ", ATTRS{uniq}==\"" + unit.serialNumber + "\"";
    }
    if (isLiteralRuleValue(unit.physicalPath)) {
        return ", ENV{ID_PATH}==\"" + unit.physicalPath + "|" + unit.physicalPath + ":*\"";
    }
    return "";
}

std::string idMatch(DeviceID id) {
    return "ATTRS{id/vendor}==\"" + hex4(id.vendor) + "\", ATTRS{id/product}==\"" +
           hex4(id.product) + "\"";
}

std::error_code writeRuleFile(const std::filesystem::path& path, const std::string& text) {
    // Written in place rather than renamed from a temporary, so that nothing
    // but the rule's own name is ever created; O_NOFOLLOW keeps a planted
    // link from redirecting the write.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        return lastError();
    }
    const bool written =
        ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
        ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    const std::error_code error = written ? std::error_code() : lastError();
    ::close(fd);
    return error;
}

std::error_code removeRuleFile(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return lastError();
    }
    return {};
}

} // namespace

std::optional<DeviceID> parseDeviceID(std::string_view text) {
    if (text.size() != 9 || text[4] != ':') {
        return std::nullopt;
    }
    const std::optional<uint16_t> vendor = parseHalf(text.substr(0, 4));
    const std::optional<uint16_t> product = parseHalf(text.substr(5));
    if (!vendor || !product) {
        return std::nullopt;
    }
    return DeviceID{*vendor, *product};
}

std::string formatDeviceID(DeviceID id) {
    return hex4(id.vendor) + ":" + hex4(id.product);
}

std::string accessRuleFileName(DeviceID id) {
    return "70-bindwell-" + hex4(id.vendor) + "-" + hex4(id.product) + ".rules";
}

std::string keyboardKeysRuleFileName(DeviceID id) {
    return "70-bindwell-" + hex4(id.vendor) + "-" + hex4(id.product) + "-keys.rules";
}

std::string accessRuleText(DeviceID id) {
    const std::string ids = formatDeviceID(id);
    // ID_INPUT_KEYBOARD comes from 60-input-id.rules, which runs before this
    // file. A receiver often serves a keyboard under the same IDs as its
    // mouse or remote, and reading that node would reveal everything typed.
    return "# Written by \"bindwellctl grant " + ids +
           "\": lets the user at the seat read the input\n"
           "# nodes of this one device, except a full keyboard. \"bindwellctl revoke " +
           ids +
           "\"\n# removes this file.\n"
           "SUBSYSTEM==\"input\", KERNEL==\"event*\", ENV{ID_INPUT_KEYBOARD}!=\"1\", " +
           idMatch(id) + ", TAG+=\"uaccess\"\n";
}

std::string keyboardKeysRuleText(const PickedUnit& unit) {
    const std::string ids = formatDeviceID(unit.id);
    return "# Written by \"bindwellctl grant-keyboard-keys " + ids +
           "\": lets the user at the seat read\n"
           "# every key of the one device the user picked by name, its keyboard node\n"
           "# included. \"bindwellctl revoke " +
           ids +
           "\" removes this file.\n"
           "SUBSYSTEM==\"input\", KERNEL==\"event*\", " +
           idMatch(unit.id) + unitMatch(unit) + ", TAG+=\"uaccess\"\n";
}

std::error_code writeAccessRule(const std::filesystem::path& directory, DeviceID id) {
    return writeRuleFile(directory / accessRuleFileName(id), accessRuleText(id));
}

std::error_code writeKeyboardKeysRule(const std::filesystem::path& directory,
                                      const PickedUnit& unit) {
    return writeRuleFile(directory / keyboardKeysRuleFileName(unit.id), keyboardKeysRuleText(unit));
}

std::error_code removeAccessRule(const std::filesystem::path& directory, DeviceID id) {
    const std::error_code keys = removeRuleFile(directory / keyboardKeysRuleFileName(id));
    const std::error_code plain = removeRuleFile(directory / accessRuleFileName(id));
    return keys ? keys : plain;
}

} // namespace bindwell::linuxplatform
