#include "platform/linux/focus/FocusReports.h"

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

} // namespace bindwell::linuxplatform
