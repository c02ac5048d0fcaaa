// Any thread; plain values.
#pragma once

#include <string>

namespace bindwell {

// The application that has the keyboard focus, as the desktop names it: its
// application id (a Wayland app_id or a .desktop name), its X11 WM_CLASS
// class, and its window title. Any of them may be empty.
struct FocusedApp {
    std::string appId;
    std::string wmClass;
    std::string title;

    friend bool operator==(const FocusedApp&, const FocusedApp&) = default;
};

} // namespace bindwell
