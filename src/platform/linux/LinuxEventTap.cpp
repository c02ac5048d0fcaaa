// The Linux event tap.
//
// A desktop offers no hook at the head of the user's event stream, so the
// tap can only drop what it reads itself: it grabs the target device's
// non-consumer nodes (its mouse node, typically) and re-emits every event
// through a uinput clone with the same capabilities, except the ones the
// engine's handler swallows (extra mouse buttons taken over by a mapping,
// media keys mapped to something). Events are relayed a frame at a time (see
// TapFrameFilter) so that the clone never sees half of a dropped button.
//
// Rejected: grabbing every keyboard and mouse of the machine to match the
// reach of a session-wide tap. That would put all input through Bindwell
// and a crash would leave the user without a keyboard; the only events the
// handler acts on come from the target device anyway. Also rejected: an
// evdev "mask" of single codes, which the kernel does not offer.
//
// The tap follows the target's nodes across unplug and replug while it lives,
// and takes a node this user could not read as soon as a udev "change" (a
// grant) finds it readable.
#include "platform/linux/LinuxEventTap.h"

#include "platform/linux/NodeInspector.h"

#include <algorithm>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

bool canWriteUinput() {
    const int fd = ::open("/dev/uinput", O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace

std::unique_ptr<LinuxEventTap> LinuxEventTap::create(InputThread& loop, const EventTapScope& scope,
                                                     Handler handler) {
    if (!canWriteUinput()) {
        return nullptr;
    }
    return std::unique_ptr<LinuxEventTap>(new LinuxEventTap(loop, scope, std::move(handler)));
}

LinuxEventTap::LinuxEventTap(InputThread& loop, const EventTapScope& scope, Handler handler)
    : loop_(loop), scope_(scope), handler_(std::move(handler)), udev_(udev_new()) {
    if (!udev_) {
        return;
    }
    monitor_ = std::make_unique<UdevMonitor>(
        loop_, udev_.get(),
        UdevMonitor::Callbacks{[this](const InputNodeInfo& info) { consider(info); },
                               [this](const InputNodeInfo& info) { consider(info); },
                               [this](const std::string& syspath) { release(syspath); }});
    for (const InputNodeInfo& info : enumerateInputNodes(udev_.get())) {
        consider(info);
    }
}

LinuxEventTap::~LinuxEventTap() {
    monitor_.reset();
    nodes_.clear();
}

void LinuxEventTap::consider(const InputNodeInfo& info) {
    const bool known = std::any_of(nodes_.begin(), nodes_.end(), [&](const auto& node) {
        return node->syspath() == info.syspath;
    });
    // The receiver of a controller may serve a keyboard under the same IDs;
    // relaying a keyboard through Bindwell is never wanted.
    if (known || info.isKeyboard) {
        return;
    }
    InspectedNode node = inspectNode(info);
    if (!node.handle || node.verdict != NodeVerdict::noConsumerKeys || !isInScope(node)) {
        return;
    }
    std::unique_ptr<TappedNode> tapped = TappedNode::take(
        std::move(node.handle), info.syspath,
        [this, unit = unitOf(node.info)](const TapEvent& event) { return decide(event, unit); });
    if (tapped) {
        tapped->watch(loop_, [this, raw = tapped.get()] { onReadable(raw); });
        nodes_.push_back(std::move(tapped));
    }
}

void LinuxEventTap::onReadable(const TappedNode* node) {
    const auto it = std::find_if(nodes_.begin(), nodes_.end(),
                                 [node](const auto& tapped) { return tapped.get() == node; });
    if (it != nodes_.end() && !(*it)->forwardPending()) {
        nodes_.erase(it);
    }
}

void LinuxEventTap::release(const std::string& syspath) {
    std::erase_if(nodes_, [&](const auto& node) { return node->syspath() == syspath; });
}

bool LinuxEventTap::isInScope(const InspectedNode& node) const {
    const DeviceModelID model{.vendorID = libevdev_get_id_vendor(node.handle->device()),
                              .productID = libevdev_get_id_product(node.handle->device())};
    return std::find(scope_.models.begin(), scope_.models.end(), model) != scope_.models.end();
}

TapVerdict LinuxEventTap::decide(const TapEvent& event, const DeviceIdentity& source) const {
    return enabled_ && handler_ ? handler_(event, &source) : TapVerdict::pass;
}

} // namespace bindwell::linuxplatform
