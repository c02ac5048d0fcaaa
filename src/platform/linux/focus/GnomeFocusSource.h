// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"
#include "platform/linux/focus/FocusReports.h"
#include "platform/linux/focus/FocusService.h"

namespace bindwell::linuxplatform {

// Follows GNOME Shell (43 and later, X11 and Wayland) through Bindwell's
// Shell extension, which reports each focused window to org.bindwell.Focus.
class GnomeFocusSource final : public FocusSource {
public:
    static constexpr const char* extensionUuid = "bindwell-focus@bindwell";

    // Checks the extension is enabled and takes the bus name it calls.
    GnomeFocusSource();

    [[nodiscard]] std::string_view name() const override { return "GNOME Shell"; }
    [[nodiscard]] std::string unavailableReason() const override {
        return reports_.unavailableReason();
    }
    void setHandler(Handler handler) override { reports_.setHandler(std::move(handler)); }

private:
    [[nodiscard]] QString checkExtension() const;
    [[nodiscard]] QString shellMajorVersion() const;

    FocusReports reports_;
    FocusService service_;
};

} // namespace bindwell::linuxplatform
