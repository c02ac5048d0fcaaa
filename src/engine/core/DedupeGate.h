// Any thread; one owner at a time.
#pragma once

#include "model/RemapAction.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace bindwell {

// The repeat filter that opens every performed press. Controllers often report
// one physical press twice (as a usage and as an array element, or through two
// interfaces); keying on the action rather than the button folds those into one.
// A dropped press leaves the stored time alone, so a burst cannot hold the gate
// shut forever. Entries are never pruned: there is one per distinct action.
class DedupeGate final {
public:
    static constexpr double kDefaultWindowSeconds = 0.1;

    struct Verdict {
        bool admitted = true;
        // How long ago the same action fired, for a dropped press.
        int64_t elapsedMilliseconds = 0;
    };

    // The action's display name followed by "-true".
    [[nodiscard]] static std::string key(const RemapAction& action);

    // Admits a press unless the same key fired less than the window before `now`.
    [[nodiscard]] Verdict admitPress(const RemapAction& action, double now);

    [[nodiscard]] const std::unordered_map<std::string, double>& lastActionTime() const {
        return lastActionTime_;
    }

private:
    std::unordered_map<std::string, double> lastActionTime_;
    // Reused for each lookup, so a press allocates only for a new action.
    std::string scratchKey_;
    double dedupeWindow_ = kDefaultWindowSeconds;
};

} // namespace bindwell
