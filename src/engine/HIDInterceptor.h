// Main thread only.
#pragma once

#include "engine/ports/Platform.h"
#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"
#include "model/RemappingEngine.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bindwell {

class ConfigStore;
class RemappingObserver;

// The remapping engine. (Public API; the engine change fills in the rest.)
class HIDInterceptor final : public QObject, public RemappingEngine {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(QString lastEvent READ lastEventText NOTIFY lastEventChanged)

public:
    static HIDInterceptor& shared();
    HIDInterceptor(Platform& platform, ConfigStore& store, QObject* parent = nullptr);

    void setRemappingObserver(RemappingObserver* observer);

    [[nodiscard]] bool isRunning() const override;
    [[nodiscard]] const std::string& lastEvent() const;
    [[nodiscard]] QString lastEventText() const;

    Q_INVOKABLE void start() override;
    Q_INVOKABLE void stop() override;

    [[nodiscard]] static std::vector<DetectedHIDDevice> scanConsumerControlDevices();
    [[nodiscard]] static std::vector<DetectedHIDDevice> scanConsumerControlDevices(Platform& platform);

signals:
    void isRunningChanged();
    void lastEventChanged();
};

} // namespace bindwell
