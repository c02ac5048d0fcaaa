#include "engine/DeviceProperties.h"

#include "support/Hex.h"

namespace bindwell {

std::string describeIDs(int64_t vendorID, int64_t productID) {
    std::string text("[vid:0x");
    text.append(hexLower(vendorID)).append(" pid:0x").append(hexLower(productID)).append("]");
    return text;
}

std::string describeDevice(std::string_view name, int64_t vendorID, int64_t productID) {
    std::string text(name);
    text.append(" ").append(describeIDs(vendorID, productID));
    return text;
}

} // namespace bindwell
