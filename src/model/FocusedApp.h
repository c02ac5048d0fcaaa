// Any thread; plain values.
#pragma once

#include <string>

namespace bindwell {

// The application that has the keyboard focus, as the desktop names it.
// `appId` is the name rules are matched against first (a Wayland app id or
// desktop file name, or an X11 class in lower case); `wmClass` is the X11
// class when the window has one. Any field may be empty, and all are when
// nothing has the focus.
struct FocusedApp {
    std::string appId;
    std::string wmClass;
    std::string title;

    friend bool operator==(const FocusedApp&, const FocusedApp&) = default;
};

} // namespace bindwell
