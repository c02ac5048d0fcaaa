#include "platform/linux/focus/X11FocusSource.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace bindwell::linuxplatform {
namespace {

constexpr std::chrono::milliseconds noFocusSettleTime{150};

} // namespace

X11FocusSource::X11FocusSource() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        const char* display = std::getenv("DISPLAY");
        reports_.setUnavailable("X11: cannot connect to the X server at DISPLAY=" +
                                std::string(display ? display : ""));
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        reports_.setUnavailable("X11: the X server has no screen " + std::to_string(screenNumber));
        return;
    }
    root_ = screens.data->root;
    if (!window_.init(connection_)) {
        reports_.setUnavailable("X11: the X server does not answer");
        return;
    }
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    noFocusSettle_.setSingleShot(true);
    noFocusSettle_.setInterval(noFocusSettleTime);
    QObject::connect(&noFocusSettle_, &QTimer::timeout, [this] { settleNoFocus(); });
    // A window manager without EWMH never sets the property: focus then stays unknown.
    followActiveWindow();
    xcb_flush(connection_);
}

X11FocusSource::~X11FocusSource() {
    notifier_.reset();
    xcb_disconnect(connection_);
}

void X11FocusSource::readEvents() {
    // Replies read while following the focus may queue further events, so
    // the loop runs until xcb holds none, not until the socket is dry. A
    // burst of changes is followed once.
    for (bool changed = true; changed;) {
        changed = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            changed = changed || isFocusChange(event);
            std::free(event);
        }
        if (changed) {
            followActiveWindow();
        }
    }
    if (xcb_connection_has_error(connection_)) {
        lose("X11: the X server closed the connection");
    }
}

bool X11FocusSource::isFocusChange(const xcb_generic_event_t* event) const {
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_DESTROY_NOTIFY) {
        // A window manager may leave _NET_ACTIVE_WINDOW on a closed window:
        // its application no longer has the focus all the same.
        return reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == client_;
    }
    if (type != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    return (notify->window == root_ && notify->atom == window_.activeWindowAtom()) ||
           (notify->window == client_ && window_.isTitleAtom(notify->atom));
}

void X11FocusSource::followActiveWindow() {
    const xcb_window_t client = window_.clientOf(window_.activeWindow(root_));
    // Selected again even when the id is the same: X hands a closed window's
    // id to a later window, whose events the old selection does not cover.
    if (client != client_) {
        watchProperties(client_, false);
    }
    watchProperties(client, true);
    client_ = client;
    // Window managers pass through "no window" on the way from one window to
    // the next; only a lasting one is reported.
    if (client_ == XCB_WINDOW_NONE) {
        noFocusSettle_.start();
        return;
    }
    noFocusSettle_.stop();
    reports_.report(window_.describe(client_));
}

void X11FocusSource::settleNoFocus() {
    // What arrived while the timer ran comes first: a busy loop may wake for
    // the timer before it reads the window manager's next word.
    readEvents();
    if (!noFocusSettle_.isActive() && client_ == XCB_WINDOW_NONE) {
        reports_.report({});
    }
}

void X11FocusSource::watchProperties(xcb_window_t window, bool watch) {
    if (window == XCB_WINDOW_NONE || window == root_) {
        return;
    }
    // Errors for a window that is gone arrive as events and are ignored.
    const uint32_t mask = watch ? XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY
                                : XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

void X11FocusSource::lose(std::string reason) {
    // Disabled, not destroyed: this runs inside the notifier's own signal.
    notifier_->setEnabled(false);
    noFocusSettle_.stop();
    reports_.lose(std::move(reason));
}

} // namespace bindwell::linuxplatform
