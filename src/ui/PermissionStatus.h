// Main thread only.
#pragma once

#include "ui/AccessGrant.h"

#include <QObject>
#include <QSet>
#include <QTimer>

namespace bindwell {

class Permissions;

// The two permission flags the guide shows, refreshed at once when polling
// starts and then every two seconds until it stops. The flags only ever
// follow the probes; nothing here advances the guide.
class PermissionStatus final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool accessibilityGranted READ accessibilityGranted NOTIFY changed)
    Q_PROPERTY(bool inputMonitoringGranted READ inputMonitoringGranted NOTIFY changed)
    // Sending input is refused because the uinput module is not loaded, not
    // for want of the package's rules: the guide then says how to load it.
    Q_PROPERTY(bool uinputMissing READ uinputMissing NOTIFY changed)
    Q_PROPERTY(bool isPolling READ isPolling NOTIFY isPollingChanged)

public:
    static constexpr int pollIntervalMs = 2000;

    explicit PermissionStatus(Permissions& permissions, QObject* parent = nullptr);

    [[nodiscard]] bool accessibilityGranted() const { return accessibilityGranted_; }
    [[nodiscard]] bool inputMonitoringGranted() const { return inputMonitoringGranted_; }
    [[nodiscard]] bool uinputMissing() const { return uinputMissing_; }
    [[nodiscard]] bool isPolling() const { return timer_.isActive(); }
    // Where the uinput module's node appears; tests point it elsewhere.
    void setUinputNode(const QString& path) { uinputNode_ = path; }

    Q_INVOKABLE void refresh();
    Q_INVOKABLE void startPolling();
    Q_INVOKABLE void stopPolling();

    // Whether the guide can be skipped: posting is probed first and input
    // monitoring only when posting is allowed.
    [[nodiscard]] Q_INVOKABLE bool bothGranted();

    // Asks for read access to the picked device when some of its nodes are
    // still closed to this user: one password prompt at most per device and
    // run, and none while another is open.
    void requestDeviceAccess(const DetectedHIDDevice& device);
    void setLauncher(CommandLauncher launcher) { launcher_ = std::move(launcher); }

signals:
    void changed();
    void isPollingChanged();

private:
    Permissions& permissions_;
    QTimer timer_;
    bool accessibilityGranted_ = false;
    bool inputMonitoringGranted_ = false;
    bool uinputMissing_ = false;
    QString uinputNode_ = QStringLiteral("/dev/uinput");
    CommandLauncher launcher_ = processLauncher();
    QSet<QString> askedDevices_;
    bool grantRunning_ = false;
};

} // namespace bindwell
