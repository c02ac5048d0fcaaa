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
    Q_PROPERTY(bool isPolling READ isPolling NOTIFY isPollingChanged)

public:
    static constexpr int pollIntervalMs = 2000;

    explicit PermissionStatus(Permissions& permissions, QObject* parent = nullptr);

    [[nodiscard]] bool accessibilityGranted() const { return accessibilityGranted_; }
    [[nodiscard]] bool inputMonitoringGranted() const { return inputMonitoringGranted_; }
    [[nodiscard]] bool isPolling() const { return timer_.isActive(); }

    Q_INVOKABLE void refresh();
    Q_INVOKABLE void startPolling();
    Q_INVOKABLE void stopPolling();

    // Whether the guide can be skipped: posting is probed first and input
    // monitoring only when posting is allowed.
    [[nodiscard]] Q_INVOKABLE bool bothGranted();

    // Asks for read access to the picked device when some of its nodes are
    // still closed to this user: one password prompt at most per device and
    // run, and none while another is open.
    void requestDeviceAccess(int64_t vendorID, int64_t productID);
    void setLauncher(CommandLauncher launcher) { launcher_ = std::move(launcher); }

signals:
    void changed();
    void isPollingChanged();

private:
    Permissions& permissions_;
    QTimer timer_;
    bool accessibilityGranted_ = false;
    bool inputMonitoringGranted_ = false;
    CommandLauncher launcher_ = processLauncher();
    QSet<QString> askedDevices_;
    bool grantRunning_ = false;
};

} // namespace bindwell
