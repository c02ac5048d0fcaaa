// Any thread; plain values.
#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// Which physical unit an interface belongs to, as far as the system can
// tell: the model by vendor and product ID, the unit by the serial number
// the device reports (a Bluetooth address, a USB serial), else by the port
// it hangs off. Either may be empty when the system knows nothing better.
struct DeviceIdentity {
    int64_t vendorID = 0;
    int64_t productID = 0;
    std::string serialNumber;
    std::string physicalPath;

    friend bool operator==(const DeviceIdentity&, const DeviceIdentity&) = default;
};

} // namespace bindwell
