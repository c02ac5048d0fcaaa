// The engine's lifetime: start takes a copy of the active profile and acquires
// the manager and the tap; stop releases them. The copy is deliberate: an edit
// in the store reaches a running engine only through a restart, so a profile
// never changes under a press that is being handled.
#include "engine/HIDInterceptor.h"

#include "engine/DeviceProperties.h"
#include "engine/RemappingObserver.h"
#include "model/ConfigStore.h"
#include "support/Log.h"

namespace bindwell {

HIDInterceptor& HIDInterceptor::shared() {
    // Never destroyed: the process ends through stop, and devices must not be
    // released behind the platform's back while static objects are torn down.
    static auto* const instance = new HIDInterceptor(currentPlatform(), ConfigStore::shared());
    return *instance;
}

HIDInterceptor::HIDInterceptor(Platform& platform, ConfigStore& store, QObject* parent)
    : QObject(parent), platform_(platform), store_(store) {
    store_.setEngine(this);
}

HIDInterceptor::~HIDInterceptor() {
    store_.setEngine(nullptr);
}

void HIDInterceptor::setRemappingObserver(RemappingObserver* observer) {
    observer_ = observer;
}

void HIDInterceptor::start() {
    if (isRunning_) {
        return;
    }
    std::optional<DeviceProfile> profile = store_.activeProfile();
    if (!profile) {
        log("No active profile found");
        return;
    }
    activeProfile_ = std::move(profile);
    platform_.eventPoster().prepare();
    openHIDManager();
    installEventTap();
    setRunning(true);
    log("Remapping started for " + describeDevice(activeProfile_->deviceName,
                                                  activeProfile_->vendorID,
                                                  activeProfile_->productID));
}

void HIDInterceptor::stop() {
    closeSeizedDevices();
    removeEventTap();
    if (manager_) {
        manager_->close();
        manager_.reset();
    }
    setRunning(false);
    log("Remapping stopped");
}

void HIDInterceptor::setRunning(bool running) {
    if (isRunning_ != running) {
        isRunning_ = running;
        emit isRunningChanged();
    }
    if (observer_) {
        observer_->setIsRemapping(running);
    }
}

void HIDInterceptor::publishLastEvent(std::string text) {
    // Deferred to the event loop so observers never run inside a device or tap
    // callback; queued invocations keep the order in which they were made.
    QMetaObject::invokeMethod(
        this,
        [this, text = std::move(text)]() mutable {
            lastEvent_ = std::move(text);
            emit lastEventChanged();
        },
        Qt::QueuedConnection);
}

} // namespace bindwell
