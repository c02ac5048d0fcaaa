// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"

#include <optional>
#include <string>
#include <xcb/xcb.h>

namespace bindwell::linuxplatform {

// Reads what an X11 window says about its application. Each call is a round
// trip to the server; a window that vanished meanwhile reads as empty.
class X11Window final {
public:
    // Interns the atoms it reads; false when the server answered none.
    [[nodiscard]] bool init(xcb_connection_t* connection);

    // The window that carries the application's WM_CLASS for `window`, which
    // may be the client itself, a focus proxy inside it, a dialog, or a
    // window manager's frame around it; `window` itself when none does.
    [[nodiscard]] xcb_window_t clientOf(xcb_window_t window) const;

    // appId is the class in lower case: the instance is often a per-window
    // or per-profile name (Navigator, crx_...), while the class names the
    // program and mostly matches its desktop file and Wayland app id.
    [[nodiscard]] FocusedApp describe(xcb_window_t client) const;

    // The focused window as the window manager announces it, or none.
    [[nodiscard]] xcb_window_t activeWindow(xcb_window_t root) const;

    [[nodiscard]] xcb_atom_t activeWindowAtom() const { return activeWindow_; }
    [[nodiscard]] bool isTitleAtom(xcb_atom_t atom) const;

private:
    [[nodiscard]] std::optional<std::string> property(xcb_window_t window, xcb_atom_t atom,
                                                      xcb_atom_t* type = nullptr) const;
    [[nodiscard]] bool hasProperty(xcb_window_t window, xcb_atom_t atom) const;
    [[nodiscard]] xcb_window_t windowProperty(xcb_window_t window, xcb_atom_t atom) const;
    [[nodiscard]] xcb_window_t childWithState(xcb_window_t window, int depth) const;
    [[nodiscard]] xcb_window_t parentOf(xcb_window_t window) const;
    [[nodiscard]] std::string title(xcb_window_t window) const;

    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t activeWindow_ = XCB_ATOM_NONE;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8String_ = XCB_ATOM_NONE;
    xcb_atom_t wmState_ = XCB_ATOM_NONE;
};

} // namespace bindwell::linuxplatform
