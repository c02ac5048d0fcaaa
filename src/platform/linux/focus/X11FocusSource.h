// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"
#include "platform/linux/focus/FocusReports.h"
#include "platform/linux/focus/X11Window.h"

#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <xcb/xcb.h>

namespace bindwell::linuxplatform {

// Follows the window manager's _NET_ACTIVE_WINDOW on the root window, and the
// title of the window it names, through the X connection's socket on the
// main loop.
class X11FocusSource final : public FocusSource {
public:
    // Connects to $DISPLAY; see unavailableReason() for how it went.
    X11FocusSource();
    ~X11FocusSource() override;
    X11FocusSource(const X11FocusSource&) = delete;
    X11FocusSource& operator=(const X11FocusSource&) = delete;

    [[nodiscard]] std::string_view name() const override { return "X11"; }
    [[nodiscard]] std::string unavailableReason() const override {
        return reports_.unavailableReason();
    }
    void setHandler(Handler handler) override { reports_.setHandler(std::move(handler)); }

private:
    void readEvents();
    [[nodiscard]] bool isFocusChange(const xcb_generic_event_t* event) const;
    void followActiveWindow();
    void settleNoFocus();
    void watchProperties(xcb_window_t window, bool watch);
    void lose(std::string reason);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_window_t client_ = XCB_WINDOW_NONE;
    X11Window window_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer noFocusSettle_;
    FocusReports reports_;
};

} // namespace bindwell::linuxplatform
