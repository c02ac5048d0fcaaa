// Any thread; plain values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace bindwell::linuxplatform {

// A USB-style vendor and product ID pair, as `bindwellctl grant` takes it.
struct DeviceID {
    uint16_t vendor = 0;
    uint16_t product = 0;
};

// Exactly four hexadecimal digits, a colon and four more ("046d:c52b", either
// case); anything else is refused. The text ends up inside a udev rule run as
// root, so nothing but these nine characters may ever get through.
[[nodiscard]] std::optional<DeviceID> parseDeviceID(std::string_view text);

// "046d:c52b": lower case, four digits each.
[[nodiscard]] std::string formatDeviceID(DeviceID id);

// One unit of a device with keyboard keys, as the user picked it: its
// "uniq" (a serial number or a Bluetooth address) and its physical path
// (udev's ID_PATH without the USB interface). Either may be empty.
struct PickedUnit {
    DeviceID id;
    std::string serialNumber;
    std::string physicalPath;
};

// "70-bindwell-046d-c52b.rules"
[[nodiscard]] std::string accessRuleFileName(DeviceID id);
// "70-bindwell-046d-c52b-keys.rules"
[[nodiscard]] std::string keyboardKeysRuleFileName(DeviceID id);

// A rule that tags the event nodes of that one device for the user at the
// seat, never a full keyboard among them; it sorts before systemd's rule that
// turns the tag into an ACL.
[[nodiscard]] std::string accessRuleText(DeviceID id);

// A rule that tags every event node of the picked unit, its keyboard
// included: by its IDs and its serial number, else its physical path, else
// (a unit that has neither) by its IDs alone. A serial number or path that
// could change the rule's meaning is not used.
[[nodiscard]] std::string keyboardKeysRuleText(const PickedUnit& unit);

// Write the device's rule in `directory`, and no other file.
[[nodiscard]] std::error_code writeAccessRule(const std::filesystem::path& directory, DeviceID id);
[[nodiscard]] std::error_code writeKeyboardKeysRule(const std::filesystem::path& directory,
                                                    const PickedUnit& unit);
// Removes both of the device's rules; a rule that is not there is no error.
[[nodiscard]] std::error_code removeAccessRule(const std::filesystem::path& directory, DeviceID id);

} // namespace bindwell::linuxplatform
