#include "state/AppState.h"

#include "engine/DeviceProperties.h"
#include "engine/HIDInterceptor.h"
#include "support/Log.h"

namespace bindwell {

AppState::AppState(HIDInterceptor& engine, QObject* parent)
    : QObject(parent), engine_(engine), recentApps_(engine) {
    connect(&engine_, &HIDInterceptor::isRunningChanged, this, &AppState::isRemappingChanged);
}

bool AppState::isRemapping() const {
    return engine_.isRunning();
}

void AppState::setActiveProfile(std::optional<DeviceProfile> profile) {
    activeProfile_ = std::move(profile);
    emit activeProfileChanged();
}

void AppState::setSetupStep(SetupStep step) {
    if (setupStep_ != step) {
        setupStep_ = step;
        emit setupStepChanged();
    }
}

void AppState::setHasTray(bool hasTray) {
    if (hasTray_ != hasTray) {
        hasTray_ = hasTray;
        emit hasTrayChanged();
    }
}

void AppState::toggleRemapping() {
    if (engine_.isRunning()) {
        engine_.stop();
    } else {
        engine_.start();
    }
}

void AppState::scanDevices() {
    detectedDevices_ = HIDInterceptor::scanDevices(engine_.platform());
    emit detectedDevicesChanged();
    log("Detected " + std::to_string(detectedDevices_.size()) + " consumer control device(s)");
    for (const DetectedHIDDevice& device : detectedDevices_) {
        log("  → " + describeDevice(device.name, device.vendorID, device.productID));
    }
}

} // namespace bindwell
