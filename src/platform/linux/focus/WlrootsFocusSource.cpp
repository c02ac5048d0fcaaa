// A compositor announces each toplevel's title, app id and states as a
// series of events closed by done; only done's state counts, so a switch of
// focus (one toplevel loses "activated", another gains it) is judged after
// every event of one read has been dispatched, and a passing "nothing
// activated" between two windows is never reported.
#include "platform/linux/focus/WlrootsFocusSource.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <wayland-client.h>

namespace bindwell::linuxplatform {
namespace {

using Toplevel = WlrootsFocusSource::Toplevel;

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    if (std::string_view(interface) == zwlr_foreign_toplevel_manager_v1_interface.name) {
        static_cast<WlrootsFocusSource*>(data)->bindManager(registry, name, version);
    }
}

void onGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

void onTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
    static_cast<Toplevel*>(data)->pending.title = title;
}

void onAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) {
    static_cast<Toplevel*>(data)->pending.appId = appId;
}

void onOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}

void onState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
    const auto* begin = static_cast<const uint32_t*>(states->data);
    const auto* end = begin + states->size / sizeof(uint32_t);
    static_cast<Toplevel*>(data)->pendingActivated =
        std::find(begin, end, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != end;
}

void onDone(void* data, zwlr_foreign_toplevel_handle_v1*) {
    auto* toplevel = static_cast<Toplevel*>(data);
    toplevel->committed = toplevel->pending;
    toplevel->activated = toplevel->pendingActivated;
}

void onClosed(void* data, zwlr_foreign_toplevel_handle_v1*) {
    auto* toplevel = static_cast<Toplevel*>(data);
    toplevel->owner->removeToplevel(*toplevel);
}

void onParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

const zwlr_foreign_toplevel_handle_v1_listener toplevelListener = {
    onTitle, onAppId, onOutput, onOutput, onState, onDone, onClosed, onParent};

void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                zwlr_foreign_toplevel_handle_v1* handle) {
    static_cast<WlrootsFocusSource*>(data)->addToplevel(handle);
}

void onFinished(void* data, zwlr_foreign_toplevel_manager_v1*) {
    static_cast<WlrootsFocusSource*>(data)->managerFinished();
}

const zwlr_foreign_toplevel_manager_v1_listener managerListener = {onToplevel, onFinished};

// The newest version whose events the listeners above handle.
constexpr uint32_t supportedVersion = 3;

} // namespace

WlrootsFocusSource::WlrootsFocusSource() {
    display_ = wl_display_connect(nullptr);
    if (!display_) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        reports_.setUnavailable("wlroots: cannot connect to WAYLAND_DISPLAY=" +
                                std::string(name ? name : "") + ": " + std::strerror(errno));
        return;
    }
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
    // The first round trip lists the globals, the second the toplevels.
    if (wl_display_roundtrip(display_) < 0 || !manager_ || wl_display_roundtrip(display_) < 0) {
        reports_.setUnavailable(
            manager_ ? "wlroots: the compositor closed the connection"
                     : "wlroots: the compositor offers no "
                       "zwlr_foreign_toplevel_manager_v1 (not a wlroots compositor)");
        return;
    }
    notifier_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    reportActive();
}

WlrootsFocusSource::~WlrootsFocusSource() {
    notifier_.reset();
    for (Toplevel& toplevel : toplevels_) {
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    }
    if (manager_) {
        zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    }
    if (registry_) {
        wl_registry_destroy(registry_);
    }
    if (display_) {
        wl_display_disconnect(display_);
    }
}

void WlrootsFocusSource::bindManager(wl_registry* registry, uint32_t name, uint32_t version) {
    if (manager_) {
        return;
    }
    manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                         std::min(version, supportedVersion)));
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &managerListener, this);
}

void WlrootsFocusSource::addToplevel(zwlr_foreign_toplevel_handle_v1* handle) {
    Toplevel& toplevel = toplevels_.emplace_back();
    toplevel.owner = this;
    toplevel.handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &toplevelListener, &toplevel);
}

void WlrootsFocusSource::removeToplevel(Toplevel& toplevel) {
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    toplevels_.remove_if([&](const Toplevel& each) { return &each == &toplevel; });
}

void WlrootsFocusSource::managerFinished() {
    zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    manager_ = nullptr;
    lose("wlroots: the compositor stopped listing windows");
}

void WlrootsFocusSource::readEvents() {
    if (wl_display_dispatch(display_) < 0) {
        lose("wlroots: the compositor closed the connection");
        return;
    }
    wl_display_flush(display_);
    if (reports_.unavailableReason().empty()) {
        reportActive();
    }
}

void WlrootsFocusSource::reportActive() {
    const auto active = std::find_if(toplevels_.begin(), toplevels_.end(),
                                     [](const Toplevel& toplevel) { return toplevel.activated; });
    reports_.report(active == toplevels_.end() ? FocusedApp{} : active->committed);
}

void WlrootsFocusSource::lose(std::string reason) {
    // Disabled, not destroyed: this runs inside the notifier's own signal.
    if (notifier_) {
        notifier_->setEnabled(false);
    }
    reports_.lose(std::move(reason));
}

} // namespace bindwell::linuxplatform
