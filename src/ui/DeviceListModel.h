// Main thread only.
#pragma once

#include <QObject>
#include <QVariantList>

namespace bindwell {

class AppState;

// AppState.detectedDevices as QML sees it, whole and in the page's two
// groups, and the device page's delayed scan.
class DeviceListModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantList devices READ devices NOTIFY devicesChanged)
    Q_PROPERTY(QVariantList remotes READ remotes NOTIFY devicesChanged)
    // Presenters, pedals and macro pads: picking one lets Bindwell read
    // everything typed on it, so the page keeps them apart.
    Q_PROPERTY(QVariantList keyboardKeyDevices READ keyboardKeyDevices NOTIFY devicesChanged)
    Q_PROPERTY(bool isScanning READ isScanning NOTIFY isScanningChanged)

public:
    // A scan waits this long so that the "Scanning..." state is seen, and so a
    // device plugged in just before the click has a moment to appear.
    static constexpr int scanDelayMs = 300;

    explicit DeviceListModel(AppState& appState, QObject* parent = nullptr);

    [[nodiscard]] QVariantList devices() const;
    [[nodiscard]] QVariantList remotes() const { return listed(false); }
    [[nodiscard]] QVariantList keyboardKeyDevices() const { return listed(true); }
    [[nodiscard]] bool isScanning() const { return isScanning_; }

    // Marks a scan as pending and runs AppState.scanDevices on the event loop
    // after the delay. Each queued scan clears the pending mark when it runs.
    Q_INVOKABLE void scan();

signals:
    void devicesChanged();
    void isScanningChanged();

private:
    [[nodiscard]] QVariantList listed(bool withKeyboardKeys) const;
    void setIsScanning(bool value);

    AppState& appState_;
    bool isScanning_ = false;
};

} // namespace bindwell
