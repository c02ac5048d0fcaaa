#include "ui/DeviceListModel.h"

#include "state/AppState.h"
#include "ui/ActionMaps.h"

#include <QTimer>

namespace bindwell {

DeviceListModel::DeviceListModel(AppState& appState, QObject* parent)
    : QObject(parent), appState_(appState) {
    connect(&appState_, &AppState::detectedDevicesChanged, this, &DeviceListModel::devicesChanged);
}

QVariantList DeviceListModel::devices() const {
    QVariantList list;
    for (const DetectedHIDDevice& device : appState_.detectedDevices()) {
        list.append(deviceMap(device));
    }
    return list;
}

QVariantList DeviceListModel::listed(bool withKeyboardKeys) const {
    QVariantList list;
    for (const DetectedHIDDevice& device : appState_.detectedDevices()) {
        if (device.hasKeyboardKeys == withKeyboardKeys) {
            list.append(deviceMap(device));
        }
    }
    return list;
}

void DeviceListModel::scan() {
    setIsScanning(true);
    QTimer::singleShot(scanDelayMs, this, [this] {
        appState_.scanDevices();
        setIsScanning(false);
    });
}

void DeviceListModel::setIsScanning(bool value) {
    if (isScanning_ != value) {
        isScanning_ = value;
        emit isScanningChanged();
    }
}

} // namespace bindwell
