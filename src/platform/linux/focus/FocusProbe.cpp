// Which desktop interface tells the focus. The order matters where several
// answer at once: a Plasma or GNOME Wayland session also runs XWayland, whose
// _NET_ACTIVE_WINDOW knows only X11 windows, so X11 comes last and is not
// used at all under Wayland. KWin comes before wlroots because Plasma's
// compositor is the one that tells native Wayland windows apart reliably.
#include "platform/linux/focus/FocusProbe.h"

#include "platform/linux/focus/GnomeFocusSource.h"
#include "platform/linux/focus/KWinFocusSource.h"
#include "platform/linux/focus/UnavailableFocusSource.h"
#include "platform/linux/focus/WlrootsFocusSource.h"
#include "platform/linux/focus/X11FocusSource.h"
#include "support/Log.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

bool desktopIs(std::string_view name) {
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    return desktops && std::string_view(desktops).find(name) != std::string_view::npos;
}

std::unique_ptr<FocusSource> openKWin(std::string& whyNot) {
    if (!desktopIs("KDE") && !isSet("KDE_SESSION_VERSION")) {
        whyNot = "KWin: not a KDE Plasma session";
        return nullptr;
    }
    return std::make_unique<KWinFocusSource>();
}

std::unique_ptr<FocusSource> openWlroots(std::string& whyNot) {
    if (!isSet("WAYLAND_DISPLAY")) {
        whyNot = "wlroots: WAYLAND_DISPLAY is not set";
        return nullptr;
    }
    return std::make_unique<WlrootsFocusSource>();
}

std::unique_ptr<FocusSource> openGnome(std::string& whyNot) {
    if (!desktopIs("GNOME")) {
        whyNot = "GNOME Shell: not a GNOME session";
        return nullptr;
    }
    return std::make_unique<GnomeFocusSource>();
}

std::unique_ptr<FocusSource> openX11(std::string& whyNot) {
    if (isSet("WAYLAND_DISPLAY")) {
        whyNot = "X11: a Wayland session, where X11 sees only XWayland windows";
        return nullptr;
    }
    if (!isSet("DISPLAY")) {
        whyNot = "X11: DISPLAY is not set";
        return nullptr;
    }
    return std::make_unique<X11FocusSource>();
}

using Opener = std::function<std::unique_ptr<FocusSource>(std::string& whyNot)>;

} // namespace

std::unique_ptr<FocusSource> openFocusSource() {
    const std::vector<Opener> openers = {openKWin, openWlroots, openGnome, openX11};
    std::string reasons;
    for (const Opener& open : openers) {
        std::string whyNot;
        std::unique_ptr<FocusSource> source = open(whyNot);
        if (source && source->unavailableReason().empty()) {
            log("Per-application actions follow the focus through " + std::string(source->name()));
            return source;
        }
        whyNot = source ? source->unavailableReason() : whyNot;
        reasons += (reasons.empty() ? "" : "; ") + whyNot;
    }
    log("⚠️ Per-application actions are inactive: " + reasons);
    return std::make_unique<UnavailableFocusSource>(reasons);
}

} // namespace bindwell::linuxplatform
