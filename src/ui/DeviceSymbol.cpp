#include "ui/DeviceSymbol.h"

#include "support/Text.h"

#include <array>
#include <utility>

namespace bindwell {

std::string_view deviceSymbolName(const std::string& deviceName) {
    // Order matters: an "air mouse" is a pointer, not a desk mouse.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> rules{{
        {"relacon", "hand.thumbsup.fill"},
        {"trackball", "hand.thumbsup.fill"},
        {"sanwa", "hand.point.up.fill"},
        {"air mouse", "hand.point.up.fill"},
        {"mouse", "computermouse.fill"},
        {"keyboard", "keyboard"},
    }};
    const std::string lowered = toLowerAscii(deviceName);
    for (const auto& [fragment, symbol] : rules) {
        if (contains(lowered, fragment)) {
            return symbol;
        }
    }
    return "gamecontroller.fill";
}

} // namespace bindwell
