#include "platform/linux/TappedNode.h"

#include "platform/linux/NodeClassifier.h"
#include "support/Log.h"

#include <cstring>
#include <libevdev/libevdev.h>

namespace bindwell::linuxplatform {
namespace {

std::string nodeName(const EvdevHandle& handle) {
    const char* name = libevdev_get_name(handle.device());
    return std::string(name ? name : "Unknown") + " (" + handle.devnode() + ")";
}

} // namespace

std::unique_ptr<TappedNode> TappedNode::take(std::unique_ptr<EvdevHandle> handle,
                                             std::string syspath, TapFrameFilter::Verdict verdict) {
    const int grabbed = handle->grab();
    if (grabbed != 0) {
        log("⚠️ Could not take over " + nodeName(*handle) +
            " for the event tap (error: " + std::to_string(grabbed) + ")");
        return nullptr;
    }
    // The clone is marked as ours so that neither the tap nor the manager
    // ever picks it up as part of the target device.
    libevdev_set_phys(handle->device(), (std::string(kOwnPhysPrefix) + "/tap").c_str());
    UinputDevice::CreateResult clone = UinputDevice::create(handle->device());
    if (!clone.device) {
        log("⚠️ Could not create the stand-in device for " + nodeName(*handle) + " (" +
            std::strerror(clone.error) + ")");
        return nullptr;
    }
    return std::unique_ptr<TappedNode>(new TappedNode(std::move(handle), std::move(syspath),
                                                      std::move(clone.device), std::move(verdict)));
}

TappedNode::TappedNode(std::unique_ptr<EvdevHandle> handle, std::string syspath,
                       std::unique_ptr<UinputDevice> clone, TapFrameFilter::Verdict verdict)
    : handle_(std::move(handle)), syspath_(std::move(syspath)), clone_(std::move(clone)),
      filter_(std::move(verdict)) {}

TappedNode::~TappedNode() {
    // Ungrab before the clone goes, so no event falls between the two.
    watcher_.reset();
    handle_->ungrab();
}

void TappedNode::watch(InputThread& loop, std::function<void()> onReadable) {
    watcher_ = std::make_unique<FdWatcher>(loop, handle_->fd(), std::move(onReadable));
}

bool TappedNode::forwardPending() {
    // Every frame of one read goes out in one write: whoever reads the clone
    // wakes once. The buffer keeps its capacity, so relaying motion allocates
    // nothing.
    const EvdevHandle::ReadStatus status = handle_->readPending([this](const EvdevEvent& event) {
        filter_.push(event, pending_);
        return true;
    });
    if (!pending_.empty()) {
        clone_->write(pending_);
        pending_.clear();
    }
    return status == EvdevHandle::ReadStatus::drained;
}

} // namespace bindwell::linuxplatform
