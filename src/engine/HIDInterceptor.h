// Main thread only.
#pragma once

#include "engine/RemapSession.h"
#include "engine/ports/Platform.h"
#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

namespace bindwell {

class ConfigStore;

// The remapping engine as the rest of the program sees it: start, stop and
// shutdown, whether it runs, and the last button event. The remapping itself
// (capture, decisions, posting, the tap) is a RemapSession on the platform's
// input loop; this object reaches it only through that loop's commands.
class HIDInterceptor final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(QString lastEvent READ lastEventText NOTIFY lastEventChanged)

public:
    // Follows the store: a change of its active profile restarts a running engine.
    HIDInterceptor(Platform& platform, ConfigStore& store, QObject* parent = nullptr);
    // Stops remapping; held outputs stay held (see shutdown()).
    ~HIDInterceptor() override;
    HIDInterceptor(const HIDInterceptor&) = delete;
    HIDInterceptor& operator=(const HIDInterceptor&) = delete;

    // The platform the engine runs on; the scan of the device picker uses it too.
    [[nodiscard]] Platform& platform() const { return platform_; }

    [[nodiscard]] bool isRunning() const { return isRunning_; }
    [[nodiscard]] const std::string& lastEvent() const { return lastEvent_; }
    [[nodiscard]] QString lastEventText() const { return QString::fromStdString(lastEvent_); }
    // The profile of the current or last run; null before the first start.
    [[nodiscard]] const std::shared_ptr<const DeviceProfile>& activeProfile() const {
        return activeProfile_;
    }

    Q_INVOKABLE void start();
    // Lets go of anything held down first: once the controller is released,
    // its button's release no longer reaches us.
    Q_INVOKABLE void stop();
    // Stops and starts again on the store's active profile. Unlike a stop, it
    // keeps what a button holds down, so the button's own release still lets go.
    void restart();
    // The process is ending: lets go of anything held down, then stops. A
    // held click or Fn would otherwise stay down once the device is gone.
    void shutdown();

    // The session's state, for tests and tools on a platform whose input loop
    // is the main thread.
    [[nodiscard]] const RemapSession& session() const { return *session_; }

    // The consumer-control devices present now, filtered, one per vendor and
    // product ID, sorted for the device picker. Leaves any running engine alone.
    [[nodiscard]] static std::vector<DetectedHIDDevice>
    scanConsumerControlDevices(Platform& platform);

signals:
    void isRunningChanged();
    // Emitted for every assignment, also when the text repeats, so the menu
    // and the scenario runner see each button event.
    void lastEventChanged();

private:
    void announceStopped();
    void receiveText(const TextRecord& record);
    void queueLastEvent(std::string text);
    void assignQueuedLastEvents();
    void setRunning(bool running);

    Platform& platform_;
    ConfigStore& store_;
    bool isRunning_ = false;
    std::string lastEvent_;
    std::shared_ptr<const DeviceProfile> activeProfile_;
    // Lives on the input loop; touched only through InputLoop::call.
    std::unique_ptr<RemapSession> session_;
    // lastEvent texts waiting for the event loop, in the order they were made.
    std::vector<std::string> lastEventQueue_;
    QTimer lastEventTimer_;
};

} // namespace bindwell
