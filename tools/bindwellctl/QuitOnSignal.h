// Main thread only.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace bindwell::ctl {

// Ends the Qt event loop on SIGINT or SIGTERM. The signals are blocked and
// read from a signalfd on the loop itself, so the shutdown work (ungrabbing,
// releasing held keys) runs on the main thread like everything else.
class QuitOnSignal final {
public:
    QuitOnSignal();
    ~QuitOnSignal();
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

    // Whether the signals could be routed; if not, the default action stays.
    [[nodiscard]] bool isActive() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace bindwell::ctl
