// Any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bindwell {

// "[vid:0x<vendor> pid:0x<product>]", the way every log line gives a device's IDs.
[[nodiscard]] std::string describeIDs(int64_t vendorID, int64_t productID);
// "<name> [vid:0x<vendor> pid:0x<product>]", the way every log line names a device.
[[nodiscard]] std::string describeDevice(std::string_view name, int64_t vendorID,
                                         int64_t productID);

} // namespace bindwell
