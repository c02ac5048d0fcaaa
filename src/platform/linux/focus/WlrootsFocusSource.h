// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"
#include "platform/linux/focus/FocusReports.h"

#include <QSocketNotifier>
#include <list>
#include <memory>

struct wl_display;
struct wl_registry;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace bindwell::linuxplatform {

// Follows wlroots compositors (sway, Hyprland, labwc, Wayfire, river)
// through zwlr_foreign_toplevel_manager_v1: the toplevel whose committed
// state says "activated" has the focus. The Wayland socket is read on the
// main loop.
class WlrootsFocusSource final : public FocusSource {
public:
    // Connects to $WAYLAND_DISPLAY; see unavailableReason() for how it went.
    WlrootsFocusSource();
    ~WlrootsFocusSource() override;
    WlrootsFocusSource(const WlrootsFocusSource&) = delete;
    WlrootsFocusSource& operator=(const WlrootsFocusSource&) = delete;

    [[nodiscard]] std::string_view name() const override { return "wlroots"; }
    [[nodiscard]] std::string unavailableReason() const override {
        return reports_.unavailableReason();
    }
    void setHandler(Handler handler) override { reports_.setHandler(std::move(handler)); }

    // The protocol's state of one toplevel: what its events said since the
    // last done, and what done committed.
    struct Toplevel {
        WlrootsFocusSource* owner = nullptr;
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        FocusedApp pending;
        bool pendingActivated = false;
        FocusedApp committed;
        bool activated = false;
    };

    // The protocol's callbacks land here.
    void bindManager(wl_registry* registry, uint32_t name, uint32_t version);
    void addToplevel(zwlr_foreign_toplevel_handle_v1* handle);
    void removeToplevel(Toplevel& toplevel);
    void managerFinished();

private:
    void readEvents();
    void reportActive();
    void lose(std::string reason);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    // A list, so each handle's listener data stays put.
    std::list<Toplevel> toplevels_;
    std::unique_ptr<QSocketNotifier> notifier_;
    FocusReports reports_;
};

} // namespace bindwell::linuxplatform
