#include "ui/SetupCommands.h"

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "model/DefaultProfiles.h"
#include "state/AppState.h"
#include "support/Log.h"
#include "ui/ActionMaps.h"
#include "ui/PermissionHelp.h"
#include "ui/PermissionStatus.h"
#include "ui/StartAtLogin.h"

namespace bindwell {
namespace {

// The device a stored profile was built for, as far as the profile remembers it.
DetectedHIDDevice deviceOfProfile(const DeviceProfile& profile) {
    DetectedHIDDevice device;
    device.id = DetectedHIDDevice::makeID(profile.vendorID, profile.productID);
    device.name = profile.deviceName;
    device.vendorID = profile.vendorID;
    device.productID = profile.productID;
    device.serialNumber = profile.serialNumber;
    device.physicalPath = profile.physicalPath;
    // A profile that names its unit was made for one of twins, and its
    // defaults keep naming it.
    device.hasTwin = !profile.serialNumber.empty() || !profile.physicalPath.empty();
    return device;
}

// The action a picker row's map names; logged when it names none.
std::optional<RemapAction> namedAction(const QVariantMap& map) {
    std::optional<RemapAction> action = actionFromMap(map);
    if (!action) {
        log("⚠️ No action named " + map.value("displayName").toString().toStdString());
    }
    return action;
}

// The gesture a page names by its file key's stem; logged when it names none.
std::optional<Gesture> namedGesture(const QString& name) {
    if (name == u"hold") {
        return Gesture::hold;
    }
    if (name == u"doubleTap") {
        return Gesture::doubleTap;
    }
    log("⚠️ No gesture named " + name.toStdString());
    return std::nullopt;
}

} // namespace

SetupCommands::SetupCommands(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                             PermissionStatus& permissions, StartAtLogin& startAtLogin,
                             QObject* parent)
    : QObject(parent), appState_(appState), store_(store), engine_(engine),
      permissions_(permissions), startAtLogin_(startAtLogin) {}

bool SetupCommands::windowAppeared() {
    if (!store_.hasCompletedSetup()) {
        return permissions_.bothGranted();
    }
    appState_.setActiveProfile(profileToEdit());
    appState_.setSetupStep(AppState::SetupStep::mapButtons);
    return true;
}

void SetupCommands::nextWithDevice(const QVariantMap& device) {
    if (device.isEmpty()) {
        return;
    }
    const DetectedHIDDevice picked = deviceFromMap(device);
    const DeviceProfile profile = defaultProfile(picked);
    permissions_.requestDeviceAccess(picked);
    store_.saveProfile(profile);
    appState_.setActiveProfile(profile);
    appState_.setSetupStep(AppState::SetupStep::mapButtons);
}

void SetupCommands::chooseAction(const QString& profileID, const QString& mappingID,
                                 const QVariantMap& actionMap) {
    if (const std::optional<RemapAction> action = namedAction(actionMap)) {
        store_.updateMapping(profileID.toStdString(), mappingID.toStdString(), *action);
    }
    showStored(profileID);
}

void SetupCommands::addAppAction(const QString& profileID, const QString& mappingID,
                                 const QString& match, const QVariantMap& actionMap) {
    const QString pattern = match.trimmed();
    const std::optional<RemapAction> action = namedAction(actionMap);
    if (action && !pattern.isEmpty()) {
        store_.addAppOverride(profileID.toStdString(), mappingID.toStdString(),
                              {pattern.toStdString(), *action});
    }
    showStored(profileID);
}

void SetupCommands::removeAppAction(const QString& profileID, const QString& mappingID, int index) {
    store_.removeAppOverride(profileID.toStdString(), mappingID.toStdString(), index);
    showStored(profileID);
}

void SetupCommands::removeButton(const QString& profileID, const QString& mappingID) {
    store_.removeMapping(profileID.toStdString(), mappingID.toStdString());
    showStored(profileID);
}

void SetupCommands::chooseGestureAction(const QString& profileID, const QString& mappingID,
                                        const QString& gesture, const QVariantMap& actionMap) {
    const std::optional<Gesture> named = namedGesture(gesture);
    const std::optional<RemapAction> action = namedAction(actionMap);
    if (named && action) {
        store_.setGestureAction(profileID.toStdString(), mappingID.toStdString(), *named, action);
    }
    showStored(profileID);
}

void SetupCommands::clearGestureAction(const QString& profileID, const QString& mappingID,
                                       const QString& gesture) {
    if (const std::optional<Gesture> named = namedGesture(gesture)) {
        store_.setGestureAction(profileID.toStdString(), mappingID.toStdString(), *named,
                                std::nullopt);
    }
    showStored(profileID);
}

void SetupCommands::setGestureMilliseconds(const QString& profileID, const QString& gesture,
                                           int milliseconds) {
    if (const std::optional<Gesture> named = namedGesture(gesture)) {
        store_.setGestureMilliseconds(profileID.toStdString(), *named, milliseconds);
    }
    showStored(profileID);
}

void SetupCommands::showStored(const QString& profileID) {
    appState_.setActiveProfile(store_.profileWithID(profileID.toStdString()));
}

std::optional<DeviceProfile> SetupCommands::profileToEdit() const {
    // The window reopens on the controller it showed last, while that one
    // is still remapped.
    if (const auto& shown = appState_.activeProfile()) {
        std::optional<DeviceProfile> stored = store_.profileWithID(shown->id);
        if (stored && stored->isActive) {
            return stored;
        }
    }
    return store_.activeProfile();
}

void SetupCommands::activate() {
    if (std::optional<DeviceProfile> profile = appState_.activeProfile()) {
        profile->isActive = true;
        store_.saveProfile(*profile);
        store_.setHasCompletedSetup(true);
        startAtLogin_.setEnabled(true);
    }
    appState_.setSetupStep(AppState::SetupStep::done);
}

void SetupCommands::back() {
    appState_.setSetupStep(AppState::SetupStep::selectDevice);
}

void SetupCommands::resetDefaults() {
    const auto& current = appState_.activeProfile();
    if (!current) {
        return;
    }
    const DeviceProfile fresh = defaultProfile(deviceOfProfile(*current));
    store_.saveProfile(fresh);
    appState_.setActiveProfile(fresh);
}

void SetupCommands::saveAndClose() {
    if (const auto& profile = appState_.activeProfile()) {
        store_.saveProfile(*profile);
    }
    if (appState_.isRemapping()) {
        engine_.stop();
        engine_.start();
    }
    emit closeRequested();
}

void SetupCommands::changeDevice() {
    if (appState_.isRemapping()) {
        engine_.stop();
    }
    store_.setHasCompletedSetup(false);
    appState_.setSetupStep(AppState::SetupStep::selectDevice);
}

void SetupCommands::editProfile(const QString& profileID) {
    if (std::optional<DeviceProfile> profile = store_.profileWithID(profileID.toStdString())) {
        appState_.setActiveProfile(std::move(profile));
    }
}

void SetupCommands::stopRemappingController(const QString& profileID) {
    store_.setProfileActive(profileID.toStdString(), false);
    appState_.setActiveProfile(profileToEdit());
}

void SetupCommands::startRemapping() {
    if (engine_.isRunning()) {
        engine_.restart();
    } else {
        engine_.start();
    }
    emit closeRequested();
}

void SetupCommands::openAccessibilitySettings() {
    openPermissionHelp("send-input");
}

void SetupCommands::openInputMonitoringSettings() {
    openPermissionHelp("read-controller");
}

} // namespace bindwell
