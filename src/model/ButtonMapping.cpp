#include "model/ButtonMapping.h"

namespace bindwell {

std::optional<RemapAction>* ButtonMapping::gestureAction(Gesture gesture) {
    switch (gesture) {
    case Gesture::hold:
        return &holdAction;
    case Gesture::doubleTap:
        return &doubleTapAction;
    case Gesture::tap:
        break;
    }
    return nullptr;
}

} // namespace bindwell
