#include "platform/linux/EvdevHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

namespace bindwell::linuxplatform {

EvdevHandle::OpenResult EvdevHandle::open(const std::string& devnode) {
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {nullptr, errno};
    }
    libevdev* device = nullptr;
    const int rc = libevdev_new_from_fd(fd, &device);
    if (rc < 0) {
        ::close(fd);
        return {nullptr, -rc};
    }
    return {std::unique_ptr<EvdevHandle>(new EvdevHandle(fd, device, devnode)), 0};
}

EvdevHandle::EvdevHandle(int fd, libevdev* device, std::string devnode)
    : fd_(fd), device_(device), devnode_(std::move(devnode)) {}

EvdevHandle::~EvdevHandle() {
    ungrab();
    libevdev_free(device_);
    ::close(fd_);
}

int EvdevHandle::grab() {
    const int rc = libevdev_grab(device_, LIBEVDEV_GRAB);
    grabbed_ = rc == 0;
    return rc;
}

void EvdevHandle::ungrab() {
    if (grabbed_) {
        // Fails only when the node is already gone, which releases the grab too.
        (void)libevdev_grab(device_, LIBEVDEV_UNGRAB);
        grabbed_ = false;
    }
}

EvdevHandle::ReadStatus
EvdevHandle::readPending(const std::function<bool(const EvdevEvent&)>& sink) {
    unsigned int flags = LIBEVDEV_READ_FLAG_NORMAL;
    for (;;) {
        input_event event{};
        const int rc = libevdev_next_event(device_, flags, &event);
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            // The kernel dropped events: libevdev replays the state difference.
            flags = LIBEVDEV_READ_FLAG_SYNC;
            if (!sink({event.type, event.code, event.value})) {
                return ReadStatus::stopped;
            }
        } else if (rc == LIBEVDEV_READ_STATUS_SUCCESS) {
            if (!sink({event.type, event.code, event.value})) {
                return ReadStatus::stopped;
            }
        } else if (rc == -EAGAIN && flags == LIBEVDEV_READ_FLAG_SYNC) {
            flags = LIBEVDEV_READ_FLAG_NORMAL;
        } else if (rc == -EAGAIN || rc == -EINTR) {
            return ReadStatus::drained;
        } else {
            // -ENODEV after removal; any other error leaves the node unusable too.
            return ReadStatus::gone;
        }
    }
}

} // namespace bindwell::linuxplatform
