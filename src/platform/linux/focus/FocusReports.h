// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"

#include <QObject>
#include <optional>

namespace bindwell::linuxplatform {

// What every focus backend does with what its desktop tells it: keeps the
// latest focus, passes on changes only (desktops repeat themselves, e.g. a
// title set to the same text), and replays the latest to a new handler on the
// next turn of the loop, never inside setHandler. It also keeps why the
// desktop cannot be followed.
class FocusReports final {
public:
    void setHandler(FocusSource::Handler handler);
    void report(const FocusedApp& app);

    [[nodiscard]] const std::string& unavailableReason() const { return unavailable_; }
    // While the backend starts: the probe says why once it has tried all.
    void setUnavailable(std::string reason) { unavailable_ = std::move(reason); }
    // Once running: the desktop went away. Logs it and reports no focus,
    // even when that is no change.
    void lose(std::string reason);

private:
    std::string unavailable_;
    FocusSource::Handler handler_;
    std::optional<FocusedApp> latest_;
    // Queued replays die with it, so none runs after the backend is gone.
    QObject queueContext_;
};

} // namespace bindwell::linuxplatform
