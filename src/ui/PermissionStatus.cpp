#include "ui/PermissionStatus.h"

#include "engine/ports/Permissions.h"
#include "support/Log.h"

#include <QFileInfo>
#include <string>

namespace bindwell {

PermissionStatus::PermissionStatus(Permissions& permissions, QObject* parent)
    : QObject(parent), permissions_(permissions) {
    timer_.setInterval(pollIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &PermissionStatus::refresh);
}

void PermissionStatus::refresh() {
    const bool accessibility = permissions_.canPostEvents();
    const bool inputMonitoring = permissions_.canMonitorInput();
    const bool uinputMissing = !accessibility && !QFileInfo::exists(uinputNode_);
    if (accessibility != accessibilityGranted_ || inputMonitoring != inputMonitoringGranted_ ||
        uinputMissing != uinputMissing_) {
        accessibilityGranted_ = accessibility;
        inputMonitoringGranted_ = inputMonitoring;
        uinputMissing_ = uinputMissing;
        emit changed();
    }
}

void PermissionStatus::startPolling() {
    refresh();
    timer_.start();
    emit isPollingChanged();
}

void PermissionStatus::stopPolling() {
    if (timer_.isActive()) {
        timer_.stop();
        emit isPollingChanged();
    }
}

bool PermissionStatus::bothGranted() {
    return permissions_.canPostEvents() && permissions_.canMonitorInput();
}

void PermissionStatus::requestDeviceAccess(const DetectedHIDDevice& picked) {
    const QString device = deviceIDText(picked.vendorID, picked.productID);
    if (grantRunning_ || askedDevices_.contains(device) ||
        permissions_.canReadDevice(picked.vendorID, picked.productID, picked.hasKeyboardKeys)) {
        return;
    }
    askedDevices_.insert(device);
    grantRunning_ = true;
    log("Asking for read access to " + device.toStdString());
    launcher_(accessGrantCommand(picked), [this, device](int exitCode) {
        grantRunning_ = false;
        if (exitCode == 0) {
            log("✅ Read access granted for " + device.toStdString());
        } else {
            log("⚠️ Read access for " + device.toStdString() + " was not granted (exit " +
                std::to_string(exitCode) + ")");
        }
        refresh();
    });
}

} // namespace bindwell
