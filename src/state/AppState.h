// Main thread only.
#pragma once

#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"
#include "state/RecentApps.h"

#include <QObject>
#include <optional>
#include <vector>

namespace bindwell {

class HIDInterceptor;

// The state the menu, the setup window and the engine share: whether
// remapping runs, the profile the setup pages work on, the devices of the last
// scan and the wizard's page. Every field notifies when it is written, and
// isRemapping whenever the engine starts or stops.
class AppState final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRemapping READ isRemapping NOTIFY isRemappingChanged)
    Q_PROPERTY(SetupStep setupStep READ setupStep WRITE setSetupStep NOTIFY setupStepChanged)
    Q_PROPERTY(bool hasTray READ hasTray WRITE setHasTray NOTIFY hasTrayChanged)

public:
    enum class SetupStep { selectDevice = 0, mapButtons = 1, done = 2 };
    Q_ENUM(SetupStep)

    // Follows `engine`, which must outlive it.
    explicit AppState(HIDInterceptor& engine, QObject* parent = nullptr);

    // Whether the engine runs; notifies whenever that changes, whoever started
    // or stopped it.
    [[nodiscard]] bool isRemapping() const;

    [[nodiscard]] const std::optional<DeviceProfile>& activeProfile() const {
        return activeProfile_;
    }
    void setActiveProfile(std::optional<DeviceProfile> profile);

    [[nodiscard]] const std::vector<DetectedHIDDevice>& detectedDevices() const {
        return detectedDevices_;
    }

    // The applications seen with the focus since start.
    [[nodiscard]] RecentApps& recentApps() { return recentApps_; }
    [[nodiscard]] const RecentApps& recentApps() const { return recentApps_; }

    [[nodiscard]] SetupStep setupStep() const { return setupStep_; }
    void setSetupStep(SetupStep step);

    // Whether a tray host shows the icon; without one the pages must not
    // send the user to it.
    [[nodiscard]] bool hasTray() const { return hasTray_; }
    void setHasTray(bool hasTray);

    // Stops a running engine, or starts one. Without an active profile the
    // engine stays stopped, and so does isRemapping.
    Q_INVOKABLE void toggleRemapping();
    // Replaces detectedDevices with the consumer-control devices present now.
    Q_INVOKABLE void scanDevices();

signals:
    void isRemappingChanged();
    void activeProfileChanged();
    void detectedDevicesChanged();
    void setupStepChanged();
    void hasTrayChanged();

private:
    HIDInterceptor& engine_;
    RecentApps recentApps_;
    std::optional<DeviceProfile> activeProfile_;
    std::vector<DetectedHIDDevice> detectedDevices_;
    SetupStep setupStep_ = SetupStep::selectDevice;
    bool hasTray_ = true;
};

} // namespace bindwell
