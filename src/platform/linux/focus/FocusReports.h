// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"

#include <QObject>
#include <optional>

namespace bindwell::linuxplatform {

// What every focus backend does with what its desktop tells it: keeps the
// latest focus, passes on changes only (desktops repeat themselves, e.g. a
// title set to the same text), and replays the latest to a new handler on the
// next turn of the loop, never inside setHandler.
class FocusReports final {
public:
    void setHandler(FocusSource::Handler handler);
    void report(const FocusedApp& app);

private:
    FocusSource::Handler handler_;
    std::optional<FocusedApp> latest_;
    // Queued replays die with it, so none runs after the backend is gone.
    QObject queueContext_;
};

} // namespace bindwell::linuxplatform
