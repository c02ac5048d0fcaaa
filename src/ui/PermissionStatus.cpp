#include "ui/PermissionStatus.h"

#include "engine/ports/Permissions.h"

namespace bindwell {

PermissionStatus::PermissionStatus(Permissions& permissions, QObject* parent)
    : QObject(parent), permissions_(permissions) {
    timer_.setInterval(pollIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &PermissionStatus::refresh);
}

void PermissionStatus::refresh() {
    const bool accessibility = permissions_.canPostEvents();
    const bool inputMonitoring = permissions_.canMonitorInput();
    if (accessibility != accessibilityGranted_ || inputMonitoring != inputMonitoringGranted_) {
        accessibilityGranted_ = accessibility;
        inputMonitoringGranted_ = inputMonitoring;
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

} // namespace bindwell
