#include "platform/linux/LinuxHidManager.h"

#include "platform/linux/ArrayMembership.h"
#include "platform/linux/InputThread.h"
#include "platform/linux/NodeInspector.h"
#include "platform/linux/SysfsInterfaceScan.h"
#include "support/Log.h"

#include <algorithm>

namespace bindwell::linuxplatform {

LinuxHidManager::~LinuxHidManager() {
    close();
}

void LinuxHidManager::open(Callbacks callbacks) {
    close();
    callbacks_ = std::move(callbacks);
    udev_.reset(udev_new());
    if (!udev_) {
        log("⚠️ Could not reach udev; no input devices can be found");
        return;
    }
    openToken_ = std::make_shared<const bool>(true);
    // The monitor comes first so that a node plugged in during the scan is
    // not missed; a node seen twice is followed once.
    monitor_ = std::make_unique<UdevMonitor>(
        loop_, udev_.get(),
        UdevMonitor::Callbacks{[this](const InputNodeInfo& info) { onNodeAdded(info); },
                               [this](const InputNodeInfo& info) { onNodeChanged(info); },
                               [this](const std::string& syspath) { onNodeRemoved(syspath); }});
    for (const InputNodeInfo& info : enumerateInputNodes(udev_.get())) {
        std::shared_ptr<LinuxHidDevice> device = attach(info);
        if (!device) {
            continue;
        }
        loop_.runSoon([this, open = std::weak_ptr(openToken_), weak = std::weak_ptr(device)] {
            const std::shared_ptr<LinuxHidDevice> matched = weak.lock();
            if (!open.expired() && matched && isFollowed(matched.get())) {
                reportMatched(matched);
            }
        });
    }
}

void LinuxHidManager::close() {
    openToken_.reset();
    monitor_.reset();
    for (const std::shared_ptr<LinuxHidDevice>& device : devices_) {
        device->detach();
    }
    devices_.clear();
    callbacks_ = {};
    udev_.reset();
}

bool LinuxHidManager::isPickedKeyboard(const InputNodeInfo& info) const {
    return info.isKeyboard && isOfferedInterface(info) && callbacks_.readsKeyboardOf &&
           callbacks_.readsKeyboardOf(unitOf(info));
}

// A full keyboard is opened only for a unit the caller picked: reading one
// reads whatever is typed on it. A picked one this user may not read is
// passed over like any unreadable node; a grant announces it again.
std::shared_ptr<LinuxHidDevice> LinuxHidManager::attach(const InputNodeInfo& info) {
    if (followedAt(info.syspath) || (info.isKeyboard && !isPickedKeyboard(info))) {
        return nullptr;
    }
    if (info.isKeyboard) {
        return attachKeyboard(info);
    }
    InspectedNode node = inspectNode(info);
    if (node.verdict == NodeVerdict::vanished || node.verdict == NodeVerdict::unreadable ||
        node.verdict == NodeVerdict::notAnInputNode) {
        log("⏭️ Skipping input node " + describeSkip(node));
    } else if (node.verdict == NodeVerdict::unreadableConsumerControl) {
        log("⚠️ Listing input node " + describeSkip(node) +
            "; it cannot be captured until access is granted");
    }
    // An unreadable interface is still followed (without a handle) so the
    // device list shows the controller before access is granted.
    if (node.verdict != NodeVerdict::consumerControl &&
        node.verdict != NodeVerdict::unreadableConsumerControl) {
        return nullptr;
    }
    return follow(std::move(node));
}

std::shared_ptr<LinuxHidDevice> LinuxHidManager::attachKeyboard(const InputNodeInfo& info) {
    InspectedNode node = inspectNode(info);
    if (!node.handle) {
        log("⏭️ Skipping keyboard node " + describeSkip(node));
        return nullptr;
    }
    return follow(std::move(node));
}

std::shared_ptr<LinuxHidDevice> LinuxHidManager::follow(InspectedNode node) {
    EvdevTranslator translator(arrayMembershipFor(node.info, describeNode(node.info).product),
                               node.info.hidSyspath.has_value());
    auto device = std::make_shared<LinuxHidDevice>(std::move(node.info), std::move(node.handle),
                                                   std::move(translator), node.openError);
    if (device->isAttached()) {
        watch(device);
    }
    devices_.push_back(device);
    return device;
}

void LinuxHidManager::watch(const std::shared_ptr<LinuxHidDevice>& device) {
    device->watch(loop_, [this, weak = std::weak_ptr(device)] { onReadable(weak); });
}

void LinuxHidManager::onNodeAdded(const InputNodeInfo& info) {
    if (const std::shared_ptr<LinuxHidDevice> device = attach(info)) {
        reportMatched(device);
    }
}

// A grant reaches a running program as a "change" of each of the device's
// nodes, after udev has applied the new access. A followed node that was
// unreadable keeps its device, so the session sees the interface it already
// tracks become capturable: reporting it removed and a new one matched would
// make its controller leave and come back (letting go of what it holds)
// though nothing was unplugged. A node still unreadable says nothing again,
// nor does a node without consumer keys, which is never followed (a change
// of every device, as a package's `udevadm trigger` makes, would otherwise
// repeat the skip line of every unreadable mouse).
void LinuxHidManager::onNodeChanged(const InputNodeInfo& info) {
    const std::shared_ptr<LinuxHidDevice> device = followedAt(info.syspath);
    if (!device) {
        if (info.hasConsumerKeys || isPickedKeyboard(info)) {
            onNodeAdded(info);
        }
        return;
    }
    if (device->isAttached()) {
        return;
    }
    InspectedNode node = inspectNode(info);
    if (node.verdict != NodeVerdict::consumerControl) {
        return;
    }
    log("Input node " + node.info.devnode + " can be read now");
    device->attach(std::move(node.handle));
    watch(device);
    reportMatched(device);
}

void LinuxHidManager::onNodeRemoved(const std::string& syspath) {
    if (const std::shared_ptr<LinuxHidDevice> device = followedAt(syspath)) {
        reportRemoved(device);
    }
}

void LinuxHidManager::onReadable(const std::weak_ptr<LinuxHidDevice>& weak) {
    // Held for the whole dispatch: a callback may close this manager.
    const std::shared_ptr<LinuxHidDevice> device = weak.lock();
    if (!device) {
        return;
    }
    // Each record goes out as soon as it is read, not after the read that
    // finds the queue empty: one system call less between press and action.
    const EvdevHandle::ReadStatus status = device->readPending([&](const HidRecord& record,
                                                                   uint16_t key, double time) {
        if (callbacks_.inputValue) {
            const auto inputValue = callbacks_.inputValue;
            inputValue(HidInputValue{device, record.page, record.usage, record.value, time, key});
        }
        return isFollowed(device.get());
    });
    if (status == EvdevHandle::ReadStatus::gone && isFollowed(device.get())) {
        reportRemoved(device);
    }
}

void LinuxHidManager::reportMatched(const std::shared_ptr<LinuxHidDevice>& device) {
    if (callbacks_.matched) {
        const auto matched = callbacks_.matched;
        matched(device);
    }
}

void LinuxHidManager::reportRemoved(const std::shared_ptr<LinuxHidDevice>& device) {
    std::erase(devices_, device);
    device->detach();
    if (callbacks_.removed) {
        const auto removed = callbacks_.removed;
        removed(device);
    }
}

bool LinuxHidManager::isFollowed(const LinuxHidDevice* device) const {
    return std::any_of(devices_.begin(), devices_.end(),
                       [device](const auto& followed) { return followed.get() == device; });
}

std::shared_ptr<LinuxHidDevice> LinuxHidManager::followedAt(const std::string& syspath) const {
    const auto it = std::find_if(devices_.begin(), devices_.end(), [&](const auto& device) {
        return device->info().syspath == syspath;
    });
    return it == devices_.end() ? nullptr : *it;
}

} // namespace bindwell::linuxplatform
