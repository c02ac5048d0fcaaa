#include "platform/linux/EvdevHandle.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

bool queryKeysDown(int fd, EvdevStream::KeyState& down) {
    uint8_t bits[(KEY_CNT + 7) / 8] = {};
    if (ioctl(fd, EVIOCGKEY(sizeof bits), bits) < 0) {
        return false;
    }
    for (size_t code = 0; code < down.size(); ++code) {
        down.set(code, (bits[code / 8] >> (code % 8)) & 1);
    }
    return true;
}

} // namespace

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
    : fd_(fd), device_(device), devnode_(std::move(devnode)),
      stream_([fd](EvdevStream::KeyState& down) { return queryKeysDown(fd, down); }) {
    // Stamped with the clock the engine reads, the events tell when a button
    // really moved, however late the input thread gets to them.
    int clock = CLOCK_MONOTONIC;
    monotonic_ = ioctl(fd_, EVIOCSCLOCKID, &clock) == 0;
}

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

EvdevHandle::ReadStatus EvdevHandle::readPending(const EvdevStream::Sink& sink) {
    constexpr size_t kBatch = 64;
    input_event events[kBatch];
    for (;;) {
        const ssize_t bytes = ::read(fd_, events, sizeof events);
        if (bytes < 0) {
            // -ENODEV after removal; any other error leaves the node unusable too.
            return errno == EAGAIN || errno == EINTR ? ReadStatus::drained : ReadStatus::gone;
        }
        const size_t count = static_cast<size_t>(bytes) / sizeof(input_event);
        if (count == 0) {
            return ReadStatus::gone;
        }
        if (!stream_.feed(std::span(events, count), sink)) {
            return ReadStatus::stopped;
        }
        if (count < kBatch) {
            return ReadStatus::drained;
        }
    }
}

} // namespace bindwell::linuxplatform
