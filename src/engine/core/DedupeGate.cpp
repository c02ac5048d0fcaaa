#include "engine/core/DedupeGate.h"

#include <cmath>

namespace bindwell {
namespace {

// Uptimes are doubles, so a press 60 ms after another can measure as
// 59.99999999 ms and one 100 ms after as 99.99999999 ms. A nanosecond of slack
// absorbs that rounding, both in the window test and in the reported figure.
constexpr double kSlackSeconds = 1e-9;

} // namespace

uint32_t DedupeGate::slotFor(const std::string& actionName) {
    const auto [it, added] =
        slots_.try_emplace(actionName, static_cast<uint32_t>(lastActionTime_.size()));
    if (added) {
        lastActionTime_.push_back(0);
        hasFired_.push_back(false);
    }
    return it->second;
}

DedupeGate::Verdict DedupeGate::admitPress(uint32_t slot, double now) {
    if (hasFired_[slot]) {
        const double elapsed = now - lastActionTime_[slot] + kSlackSeconds;
        if (elapsed < dedupeWindow_) {
            const auto ms = static_cast<int64_t>(std::trunc(elapsed * 1000.0));
            return {.admitted = false, .elapsedMilliseconds = ms};
        }
    }
    hasFired_[slot] = true;
    lastActionTime_[slot] = now;
    return {};
}

} // namespace bindwell
