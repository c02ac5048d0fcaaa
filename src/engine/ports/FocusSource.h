// Main thread only.
#pragma once

#include "model/FocusedApp.h"

#include <functional>
#include <string>
#include <string_view>

namespace bindwell {

// Tells which application is focused, pushed by the desktop on every change:
// nothing is asked per key press. Reports arrive on the main loop.
class FocusSource {
public:
    using Handler = std::function<void(const FocusedApp&)>;

    virtual ~FocusSource() = default;

    // The desktop interface it follows ("X11", "KWin", ...), for log lines.
    [[nodiscard]] virtual std::string_view name() const = 0;

    // Why focus changes cannot be reported, or empty while they can. A source
    // that loses its desktop (the server went away) reports an empty focus
    // once more, even if nothing had the focus, and says why from then on.
    [[nodiscard]] virtual std::string unavailableReason() const = 0;

    // Calls `handler` on each change of focus from the next turn of the main
    // loop on, the current focus first when the desktop tells it. Never from
    // inside this call. An empty handler stops the reports.
    virtual void setHandler(Handler handler) = 0;
};

} // namespace bindwell
