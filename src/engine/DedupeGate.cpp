#include "engine/DedupeGate.h"

#include <cmath>

namespace bindwell {
namespace {

// Uptimes are doubles, so a press 60 ms after another can measure as
// 59.99999999 ms; a nanosecond of slack keeps the reported figure honest.
constexpr double kMillisecondSlack = 1e-6;

} // namespace

std::string DedupeGate::key(const RemapAction& action) {
    return action.displayName() + "-true";
}

DedupeGate::Verdict DedupeGate::admitPress(const RemapAction& action, double now) {
    std::string actionKey = key(action);
    const auto found = lastActionTime_.find(actionKey);
    if (found != lastActionTime_.end()) {
        const double elapsed = now - found->second;
        if (elapsed < dedupeWindow_) {
            const auto ms = static_cast<int64_t>(std::trunc(elapsed * 1000.0 + kMillisecondSlack));
            return {.admitted = false, .elapsedMilliseconds = ms};
        }
        found->second = now;
        return {};
    }
    lastActionTime_.emplace(std::move(actionKey), now);
    return {};
}

} // namespace bindwell
