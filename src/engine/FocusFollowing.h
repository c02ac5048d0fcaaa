// Main thread only.
#pragma once

#include "engine/HIDInterceptor.h"
#include "engine/ports/FocusSource.h"

#include <functional>
#include <string>

namespace bindwell {

// Hands every focus change `source` reports to the engine, for as long as
// both live. `onReason` hears the source's unavailable reason now and after
// each report (empty while it works), for whoever shows it.
void followFocus(FocusSource& source, HIDInterceptor& engine,
                 const std::function<void(const std::string& reason)>& onReason = {});

} // namespace bindwell
