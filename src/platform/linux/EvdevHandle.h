// The input loop's thread (ports/InputLoop.h); a scan uses its own on the main thread.
#pragma once

#include "platform/linux/EvdevEvent.h"

#include <functional>
#include <memory>
#include <string>

struct libevdev;

namespace bindwell::linuxplatform {

// An open evdev node: its file descriptor and libevdev's view of it.
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

    // Hands every pending event to the sink, including the repair events
    // libevdev makes after the kernel dropped some, until the sink answers
    // false (`stopped`); `gone` once the node was removed.
    [[nodiscard]] ReadStatus readPending(const std::function<bool(const EvdevEvent&)>& sink);

private:
    EvdevHandle(int fd, libevdev* device, std::string devnode);

    int fd_ = -1;
    libevdev* device_ = nullptr;
    std::string devnode_;
    bool grabbed_ = false;
};

} // namespace bindwell::linuxplatform
