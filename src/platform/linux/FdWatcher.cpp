#include "platform/linux/FdWatcher.h"

#include "platform/linux/InputThread.h"

#include <QSocketNotifier>

namespace bindwell::linuxplatform {

FdWatcher::FdWatcher(int fd, std::function<void()> onReadable)
    : fd_(fd), inputThread_(InputThread::current()) {
    if (inputThread_ != nullptr) {
        inputThread_->watch(fd, std::move(onReadable));
        return;
    }
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_,
                     [callback = std::move(onReadable), inCallback = inCallback_] {
                         *inCallback = true;
                         callback();
                         *inCallback = false;
                     });
}

FdWatcher::~FdWatcher() {
    if (inputThread_ != nullptr) {
        inputThread_->unwatch(fd_);
        return;
    }
    notifier_->setEnabled(false);
    if (*inCallback_) {
        notifier_->deleteLater();
    } else {
        delete notifier_;
    }
}

} // namespace bindwell::linuxplatform
