// Main thread only.
#pragma once

#include "engine/RemappingObserver.h"
#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"

#include <QObject>

#include <optional>
#include <vector>

namespace bindwell {

class HIDInterceptor;

// The state the menu, the setup window and the engine share.
// (Public API; the application-state change fills in the rest.)
class AppState final : public QObject, public RemappingObserver {
    Q_OBJECT
    Q_PROPERTY(bool isRemapping READ isRemapping WRITE setIsRemapping NOTIFY isRemappingChanged)
    Q_PROPERTY(SetupStep setupStep READ setupStep WRITE setSetupStep NOTIFY setupStepChanged)

public:
    enum class SetupStep { selectDevice = 0, mapButtons = 1, done = 2 };
    Q_ENUM(SetupStep)

    // The process-wide state; creating it makes it the shared engine's observer.
    static AppState& shared();
    explicit AppState(HIDInterceptor& engine, QObject* parent = nullptr);

    [[nodiscard]] bool isRemapping() const;
    void setIsRemapping(bool isRemapping) override;

    [[nodiscard]] const std::optional<DeviceProfile>& activeProfile() const;
    void setActiveProfile(std::optional<DeviceProfile> profile);

    [[nodiscard]] const std::vector<DetectedHIDDevice>& detectedDevices() const;

    [[nodiscard]] SetupStep setupStep() const;
    void setSetupStep(SetupStep step);

    Q_INVOKABLE void toggleRemapping();
    Q_INVOKABLE void scanDevices();

signals:
    void isRemappingChanged();
    void activeProfileChanged();
    void detectedDevicesChanged();
    void setupStepChanged();
};

} // namespace bindwell
