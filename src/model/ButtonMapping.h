// Any thread; plain values.
#pragma once

#include "model/HIDButtonSource.h"
#include "model/RemapAction.h"

#include <string>
#include <vector>

namespace bindwell {

// What a button does instead while a matching application has the focus.
// `match` is a case-insensitive glob tried against the application's id,
// then its WM_CLASS (AppMatch.h).
struct AppOverride {
    std::string match;
    RemapAction action;
};

// One physical button of a profile and what it does. Mappings are identified
// by id; they have no equality of their own. The first override whose match
// fits the focused application wins; without one, `action` applies.
struct ButtonMapping {
    std::string id;
    HIDButtonSource source;
    RemapAction action;
    std::string label;
    bool isRemappable = true;
    std::vector<AppOverride> appOverrides = {};
};

} // namespace bindwell
