#include "engine/core/HeldOutputs.h"

#include <algorithm>

namespace bindwell {

bool HeldOutputs::holds(const OutputEvent& release) const {
    return std::any_of(holds_.begin(), holds_.end(),
                       [&](const Hold& hold) { return hold.release == release; });
}

bool HeldOutputs::holdsFor(const RemapAction& action) const {
    return std::any_of(holds_.begin(), holds_.end(),
                       [&](const Hold& hold) { return hold.action == action; });
}

void HeldOutputs::add(const RemapAction& action, const OutputEvent& release) {
    if (!holds(release)) {
        holds_.push_back({action, release});
    }
}

void HeldOutputs::remove(const OutputEvent& release) {
    std::erase_if(holds_, [&](const Hold& hold) { return hold.release == release; });
}

std::vector<HeldOutputs::Hold> HeldOutputs::takeAll() {
    std::vector<Hold> taken = std::move(holds_);
    holds_.clear();
    std::stable_sort(taken.begin(), taken.end(), [](const Hold& a, const Hold& b) {
        const bool aIsButton = a.release.kind == OutputEvent::Kind::mouseButton;
        const bool bIsButton = b.release.kind == OutputEvent::Kind::mouseButton;
        if (aIsButton != bIsButton) {
            return aIsButton;
        }
        return aIsButton && a.release.button < b.release.button;
    });
    return taken;
}

} // namespace bindwell
