// Any thread; plain values.
#pragma once

#include "model/HIDButtonSource.h"
#include "model/RemapAction.h"

#include <string>

namespace bindwell {

// One physical button of a profile and what it does. Mappings are identified
// by id; they have no equality of their own.
struct ButtonMapping {
    std::string id;
    HIDButtonSource source;
    RemapAction action;
    std::string label;
    bool isRemappable = true;
};

} // namespace bindwell
