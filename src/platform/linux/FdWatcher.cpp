#include "platform/linux/FdWatcher.h"

#include <QSocketNotifier>

namespace bindwell::linuxplatform {

FdWatcher::FdWatcher(int fd, std::function<void()> onReadable)
    : notifier_(new QSocketNotifier(fd, QSocketNotifier::Read)) {
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_,
                     [callback = std::move(onReadable)] { callback(); });
}

FdWatcher::~FdWatcher() {
    notifier_->setEnabled(false);
    notifier_->deleteLater();
}

} // namespace bindwell::linuxplatform
