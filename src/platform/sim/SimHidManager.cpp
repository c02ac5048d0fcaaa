#include "platform/sim/SimHidManager.h"

#include "platform/sim/SimPlatform.h"

namespace bindwell::sim {
namespace {

// Calls a copy, so a callback that closes the manager does not destroy itself.
template <typename Callback, typename Argument>
void invoke(const Callback& callback, const Argument& argument) {
    if (const Callback copy = callback) {
        copy(argument);
    }
}

} // namespace

SimHidManager::~SimHidManager() {
    close();
}

void SimHidManager::open(Callbacks callbacks) {
    if (isOpen()) {
        return;
    }
    callbacks_ = std::move(callbacks);
    session_ = std::make_shared<const bool>(true);
    platform_.managerOpened(this);
    for (const HidDeviceRef& device : platform_.presentDevices()) {
        reportLater(device);
    }
}

void SimHidManager::reportLater(const HidDeviceRef& device) {
    const std::weak_ptr<const bool> session = session_;
    platform_.inputLoop().runSoon([this, session, device] {
        if (!session.expired() && platform_.isPresent(device.get())) {
            deviceAppeared(device);
        }
    });
}

void SimHidManager::close() {
    if (!isOpen()) {
        return;
    }
    session_.reset();
    callbacks_ = {};
    platform_.managerClosed(this);
}

bool SimHidManager::follows(const HidDevice& device) const {
    const HidDeviceDescription& description = device.description();
    return !description.hasKeyboardKeys() ||
           (callbacks_.readsKeyboardOf && callbacks_.readsKeyboardOf(description.unit()));
}

void SimHidManager::deviceAppeared(const HidDeviceRef& device) const {
    if (follows(*device)) {
        invoke(callbacks_.matched, device);
    }
}

void SimHidManager::deviceRemoved(const HidDeviceRef& device) const {
    if (follows(*device)) {
        invoke(callbacks_.removed, device);
    }
}

void SimHidManager::inputValue(const HidInputValue& value) const {
    if (follows(*value.device)) {
        invoke(callbacks_.inputValue, value);
    }
}

} // namespace bindwell::sim
