#include "engine/core/DedupeGate.h"

#include <cmath>

namespace bindwell {
namespace {

// Uptimes are doubles, so a press 60 ms after another can measure as
// 59.99999999 ms and one 100 ms after as 99.99999999 ms. A nanosecond of slack
// absorbs that rounding, both in the window test and in the reported figure.
constexpr double kSlackSeconds = 1e-9;

constexpr std::string_view kKeySuffix = "-true";

} // namespace

std::string DedupeGate::key(const RemapAction& action) {
    return action.displayName() + "-true";
}

DedupeGate::Verdict DedupeGate::admitPress(const RemapAction& action, double now) {
    scratchKey_.assign(action.displayName()).append(kKeySuffix);
    const auto found = lastActionTime_.find(scratchKey_);
    if (found != lastActionTime_.end()) {
        const double elapsed = now - found->second + kSlackSeconds;
        if (elapsed < dedupeWindow_) {
            const auto ms = static_cast<int64_t>(std::trunc(elapsed * 1000.0));
            return {.admitted = false, .elapsedMilliseconds = ms};
        }
        found->second = now;
        return {};
    }
    lastActionTime_.emplace(scratchKey_, now);
    return {};
}

} // namespace bindwell
