#include "engine/core/HeldOutputs.h"

#include <algorithm>
#include <iterator>

namespace bindwell {

bool HeldOutputs::holds(const OutputEvent& release) const {
    return std::any_of(holds_.begin(), holds_.end(),
                       [&](const Hold& hold) { return hold.release == release; });
}

void HeldOutputs::add(const Hold& hold) {
    if (!holds(hold.release)) {
        holds_.push_back(hold);
    }
}

void HeldOutputs::remove(const OutputEvent& release) {
    std::erase_if(holds_, [&](const Hold& hold) { return hold.release == release; });
}

void HeldOutputs::takeAll(std::vector<Hold>& taken) {
    taken.clear();
    taken.swap(holds_);
    sortForRelease(taken);
}

void HeldOutputs::takeGestureHolds(std::vector<Hold>& taken) {
    taken.clear();
    std::copy_if(holds_.begin(), holds_.end(), std::back_inserter(taken),
                 [](const Hold& hold) { return hold.byGesture; });
    std::erase_if(holds_, [](const Hold& hold) { return hold.byGesture; });
    sortForRelease(taken);
}

void HeldOutputs::sortForRelease(std::vector<Hold>& taken) {
    std::stable_sort(taken.begin(), taken.end(), [](const Hold& a, const Hold& b) {
        const bool aIsButton = a.release.kind == OutputEvent::Kind::pointerButton;
        const bool bIsButton = b.release.kind == OutputEvent::Kind::pointerButton;
        if (aIsButton != bIsButton) {
            return aIsButton;
        }
        return aIsButton && a.release.button < b.release.button;
    });
}

} // namespace bindwell
