#include "platform/linux/FdWatcher.h"

#include <QSocketNotifier>

namespace bindwell::linuxplatform {

FdWatcher::FdWatcher(int fd, std::function<void()> onReadable)
    : notifier_(new QSocketNotifier(fd, QSocketNotifier::Read)) {
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_,
                     [callback = std::move(onReadable), inCallback = inCallback_] {
                         *inCallback = true;
                         callback();
                         *inCallback = false;
                     });
}

FdWatcher::~FdWatcher() {
    notifier_->setEnabled(false);
    if (*inCallback_) {
        notifier_->deleteLater();
    } else {
        delete notifier_;
    }
}

} // namespace bindwell::linuxplatform
