// Main thread only.
#pragma once

#include <QObject>
#include <QVariantList>

namespace bindwell {

class AppState;

// AppState.detectedDevices as QML sees it, and the device page's delayed scan.
class DeviceListModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantList devices READ devices NOTIFY devicesChanged)
    Q_PROPERTY(bool isScanning READ isScanning NOTIFY isScanningChanged)

public:
    // A scan waits this long so that the "Scanning..." state is seen, and so a
    // device plugged in just before the click has a moment to appear.
    static constexpr int scanDelayMs = 300;

    explicit DeviceListModel(AppState& appState, QObject* parent = nullptr);

    [[nodiscard]] QVariantList devices() const;
    [[nodiscard]] bool isScanning() const { return isScanning_; }

    // Marks a scan as pending and runs AppState.scanDevices on the event loop
    // after the delay. Each queued scan clears the pending mark when it runs.
    Q_INVOKABLE void scan();

signals:
    void devicesChanged();
    void isScanningChanged();

private:
    void setIsScanning(bool value);

    AppState& appState_;
    bool isScanning_ = false;
};

} // namespace bindwell
