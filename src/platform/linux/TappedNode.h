// The input thread only.
#pragma once

#include "platform/linux/EvdevHandle.h"
#include "platform/linux/FdWatcher.h"
#include "platform/linux/TapFrameFilter.h"
#include "platform/linux/UinputDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace bindwell::linuxplatform {

// One grabbed node of the target device and the uinput clone that carries
// on its events for the rest of the system.
class TappedNode final {
public:
    // Grabs the node and makes its clone; nothing (after logging why) when
    // either step fails, in which case the node is left as it was.
    [[nodiscard]] static std::unique_ptr<TappedNode>
    take(std::unique_ptr<EvdevHandle> handle, std::string syspath, TapFrameFilter::Verdict verdict);
    ~TappedNode();
    TappedNode(const TappedNode&) = delete;
    TappedNode& operator=(const TappedNode&) = delete;

    // Which device it is: unlike the node's name, never reused.
    [[nodiscard]] const std::string& syspath() const { return syspath_; }

    void watch(InputThread& loop, std::function<void()> onReadable);
    // Forwards what is pending; false once the node is gone.
    [[nodiscard]] bool forwardPending();

private:
    TappedNode(std::unique_ptr<EvdevHandle> handle, std::string syspath,
               std::unique_ptr<UinputDevice> clone, TapFrameFilter::Verdict verdict);

    std::unique_ptr<EvdevHandle> handle_;
    std::string syspath_;
    std::unique_ptr<UinputDevice> clone_;
    TapFrameFilter filter_;
    std::vector<EvdevEvent> pending_;
    std::unique_ptr<FdWatcher> watcher_;
};

} // namespace bindwell::linuxplatform
