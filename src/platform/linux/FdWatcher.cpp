#include "platform/linux/FdWatcher.h"

#include "platform/linux/InputThread.h"

namespace bindwell::linuxplatform {

FdWatcher::FdWatcher(InputThread& loop, int fd, std::function<void()> onReadable)
    : loop_(loop), fd_(fd) {
    loop_.watch(fd_, std::move(onReadable));
}

FdWatcher::~FdWatcher() {
    loop_.unwatch(fd_);
}

} // namespace bindwell::linuxplatform
