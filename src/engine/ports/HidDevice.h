// The input loop's thread; the device picker's scan reads properties on the main thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace bindwell {

using HidPropertyValue = std::variant<std::string, int64_t>;

// Property keys every platform answers, as far as the device reports them.
namespace hidproperty {
inline constexpr std::string_view product = "Product";
inline constexpr std::string_view manufacturer = "Manufacturer";
inline constexpr std::string_view vendorID = "VendorID";
inline constexpr std::string_view productID = "ProductID";
inline constexpr std::string_view transport = "Transport";
// Tell two units of one model apart; either may be missing.
inline constexpr std::string_view serialNumber = "SerialNumber";
inline constexpr std::string_view physicalPath = "PhysicalPath";
} // namespace hidproperty

// One consumer-control interface of a device. Interfaces are identified by
// object identity: the manager hands out the same reference for an interface
// in its matched, input-value and removed callbacks.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // The property's value, or nothing when the device does not report it.
    [[nodiscard]] virtual std::optional<HidPropertyValue> property(std::string_view key) const = 0;

    // Opens the interface exclusively, so that the rest of the system no
    // longer receives its events. 0 on success, else a negative error code.
    [[nodiscard]] virtual int32_t openSeized() = 0;

    // Releases an exclusive open.
    virtual void close() = 0;

    // Which of the engine's controllers follows the interface (0: none). The
    // engine notes it here so that a press finds its controller in constant
    // time, however many are present; platforms leave it alone.
    [[nodiscard]] uint32_t follower() const { return follower_; }
    void setFollower(uint32_t controllerID) { follower_ = controllerID; }

private:
    uint32_t follower_ = 0;
};

using HidDeviceRef = std::shared_ptr<HidDevice>;

} // namespace bindwell
