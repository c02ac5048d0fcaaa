// The thread that opened it (the input thread, or the main thread for a look at a node).
#pragma once

#include "platform/linux/EvdevStream.h"

#include <functional>
#include <memory>
#include <string>

struct libevdev;

namespace bindwell::linuxplatform {

// An open evdev node: its file descriptor and libevdev's view of it. libevdev
// describes the node (name, IDs, capabilities) and grabs it; the events are
// read raw, one read() per readiness, which is all the remapping path needs.
class EvdevHandle final {
public:
    struct OpenResult {
        std::unique_ptr<EvdevHandle> handle;
        int error = 0; // errno when handle is null
    };

    enum class ReadStatus { drained, stopped, gone };

    [[nodiscard]] static OpenResult open(const std::string& devnode);
    ~EvdevHandle();
    EvdevHandle(const EvdevHandle&) = delete;
    EvdevHandle& operator=(const EvdevHandle&) = delete;

    [[nodiscard]] int fd() const { return fd_; }
    [[nodiscard]] libevdev* device() const { return device_; }
    [[nodiscard]] const std::string& devnode() const { return devnode_; }

    // 0 or -errno (-16 when another process holds the grab).
    [[nodiscard]] int grab();
    void ungrab();
    [[nodiscard]] bool isGrabbed() const { return grabbed_; }

    // Hands every pending event to the sink (see EvdevStream for what
    // follows a kernel overflow), until the sink answers false (`stopped`);
    // `gone` once the node was removed. A short read means the queue is
    // empty, so one readiness usually costs one read.
    [[nodiscard]] ReadStatus readPending(const EvdevStream::Sink& sink);
    // When the event being handed to the sink happened, in MonotonicClock's
    // seconds, or 0 when unknown.
    [[nodiscard]] double eventTime() const { return monotonic_ ? stream_.eventTime() : 0; }

private:
    EvdevHandle(int fd, libevdev* device, std::string devnode);

    int fd_ = -1;
    libevdev* device_ = nullptr;
    std::string devnode_;
    bool grabbed_ = false;
    EvdevStream stream_;
    // The kernel stamps this node's events with CLOCK_MONOTONIC.
    bool monotonic_ = false;
};

} // namespace bindwell::linuxplatform
