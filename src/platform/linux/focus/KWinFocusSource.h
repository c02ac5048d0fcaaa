// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"
#include "platform/linux/focus/FocusReports.h"
#include "platform/linux/focus/FocusService.h"

#include <QDBusServiceWatcher>
#include <QTemporaryFile>
#include <QTimer>

namespace bindwell::linuxplatform {

// Follows KWin (Plasma 5 and 6, X11 and Wayland) through a small KWin script
// that reports each activated window to this process over D-Bus.
class KWinFocusSource final : public FocusSource {
public:
    // Loads and runs the script; see unavailableReason() for how it went.
    KWinFocusSource();
    ~KWinFocusSource() override;
    KWinFocusSource(const KWinFocusSource&) = delete;
    KWinFocusSource& operator=(const KWinFocusSource&) = delete;

    [[nodiscard]] std::string_view name() const override { return "KWin"; }
    [[nodiscard]] std::string unavailableReason() const override {
        return reports_.unavailableReason();
    }
    void setHandler(Handler handler) override { reports_.setHandler(std::move(handler)); }

private:
    [[nodiscard]] QString writeScript();
    [[nodiscard]] QString loadScript();
    void followRestart(const QString& owner);
    // What the script reports, an empty activation held back a moment.
    void receive(const FocusedApp& app);
    // Runs the loaded script through the first of `paths` that KWin answers.
    void runScript(QStringList paths);

    FocusReports reports_;
    FocusService service_;
    QTemporaryFile script_;
    QString pluginName_;
    bool scriptLoaded_ = false;
    QDBusServiceWatcher kwinWatch_;
    QTimer emptyActivation_;
};

} // namespace bindwell::linuxplatform
