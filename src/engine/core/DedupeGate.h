// Any thread; one owner at a time.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace bindwell {

// The repeat filter that opens every performed press. Controllers often report
// one physical press twice (as a usage and as an array element, or through two
// interfaces); keying on the action's name rather than the button folds those
// into one. A dropped press leaves the stored time alone, so a burst cannot
// hold the gate shut forever.
//
// Names are turned into slots when a profile is taken, so a press compares
// numbers only; a name keeps its slot (and its last time) for the gate's
// lifetime, across restarts on edited profiles.
class DedupeGate final {
public:
    static constexpr double kDefaultWindowSeconds = 0.1;

    struct Verdict {
        bool admitted = true;
        // How long ago the same action fired, for a dropped press.
        int64_t elapsedMilliseconds = 0;
    };

    // The slot of an action's display name, made on first use.
    [[nodiscard]] uint32_t slotFor(const std::string& actionName);

    // Admits a press unless the same slot fired less than the window before `now`.
    [[nodiscard]] Verdict admitPress(uint32_t slot, double now);

private:
    std::unordered_map<std::string, uint32_t> slots_;
    // Per slot: when it last fired, or nothing yet.
    std::vector<double> lastActionTime_;
    std::vector<bool> hasFired_;
    double dedupeWindow_ = kDefaultWindowSeconds;
};

} // namespace bindwell
