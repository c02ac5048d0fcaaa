// Any thread; pure functions.
#pragma once

#include "model/FocusedApp.h"

#include <string_view>

namespace bindwell {

// Whether `text` matches the glob `pattern` ('*' any run, '?' any one
// character, not byte), ignoring case by Unicode's simple case folding:
// application ids differ in case between desktops ("org.kde.okular" vs
// "Okular").
[[nodiscard]] bool globMatches(std::string_view pattern, std::string_view text);

// Whether an application rule's match applies: tried against the app id,
// then the WM_CLASS. An empty pattern matches nothing.
[[nodiscard]] bool ruleMatches(std::string_view pattern, const FocusedApp& app);

} // namespace bindwell
