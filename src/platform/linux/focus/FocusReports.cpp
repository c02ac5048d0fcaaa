#include "platform/linux/focus/FocusReports.h"

#include "support/Log.h"

namespace bindwell::linuxplatform {

void FocusReports::setHandler(FocusSource::Handler handler) {
    handler_ = std::move(handler);
    if (!handler_ || !latest_) {
        return;
    }
    QMetaObject::invokeMethod(
        &queueContext_,
        [this] {
            if (handler_ && latest_) {
                handler_(*latest_);
            }
        },
        Qt::QueuedConnection);
}

void FocusReports::report(const FocusedApp& app) {
    if (latest_ == app) {
        return;
    }
    latest_ = app;
    if (handler_) {
        handler_(app);
    }
}

void FocusReports::lose(std::string reason) {
    unavailable_ = std::move(reason);
    log("⚠️ Per-application actions are inactive: " + unavailable_);
    // Also when nothing had the focus: the handler learns of the loss here.
    latest_ = FocusedApp{};
    if (handler_) {
        handler_(*latest_);
    }
}

} // namespace bindwell::linuxplatform
