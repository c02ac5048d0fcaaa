// Main thread only.
#pragma once

#include "engine/ControllerStatus.h"
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
// shutdown, whether it runs, the controllers present and the last button
// event, of each and of all. The remapping itself
// (capture, decisions, posting, the tap) is a RemapSession on the platform's
// input loop; this object reaches it only through that loop's commands.
class HIDInterceptor final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(QString lastEvent READ lastEventText NOTIFY lastEventChanged)

public:
    // Follows the store: a change of its active profiles restarts a running engine.
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
    // The profiles of the current or last run; empty before the first start.
    [[nodiscard]] const std::vector<std::shared_ptr<const DeviceProfile>>& activeProfiles() const {
        return activeProfiles_;
    }
    // The controllers present in this run, in the order they arrived.
    [[nodiscard]] const std::vector<ControllerStatus>& controllers() const { return controllers_; }

    Q_INVOKABLE void start();
    // Lets go of anything held down first: once the controller is released,
    // its button's release no longer reaches us.
    Q_INVOKABLE void stop();
    // Stops and starts again on the store's active profiles. Unlike a stop, it
    // keeps what a button holds down, so the button's own release still lets go.
    void restart();
    // The application with the focus changed: presses from now on take its
    // actions. Works whether or not remapping runs.
    void setFocusedApp(const FocusedApp& app);
    [[nodiscard]] const FocusedApp& focusedApp() const { return focusedApp_; }

    // The process is ending: lets go of anything held down, then stops. A
    // held click or Fn would otherwise stay down once the device is gone.
    void shutdown();

    // The session's state, for tests and tools on a platform whose input loop
    // is the main thread.
    [[nodiscard]] RemapSession& session() const { return *session_; }

    // The devices with consumer-control or keyboard-key interfaces present
    // now, filtered, one per unit (see DetectedHIDDevice), sorted for the
    // device picker. Leaves any running engine alone.
    [[nodiscard]] static std::vector<DetectedHIDDevice> scanDevices(Platform& platform);

signals:
    void isRunningChanged();
    // Emitted for every assignment, also when the text repeats, so the menu
    // and the scenario runner see each button event.
    void lastEventChanged();
    // A controller arrived or left, or one's last event changed.
    void controllersChanged();
    // A button that the controller's profile has no mapping for was pressed
    // (the editor learns buttons from it), with the keyboard modifiers its
    // device held for it. Emitted after lastEventChanged.
    void unmappedButtonPressed(const QString& profileID, uint usagePage, uint usage,
                               uint modifiers);
    void focusedAppChanged();

private:
    void announceStopped();
    void receiveText(const TextRecord& record, bool fromEventLoop);
    void applyQueued();
    void apply(TextRecord& change);
    void setRunning(bool running);

    Platform& platform_;
    ConfigStore& store_;
    bool isRunning_ = false;
    std::string lastEvent_;
    std::vector<std::shared_ptr<const DeviceProfile>> activeProfiles_;
    std::vector<ControllerStatus> controllers_;
    FocusedApp focusedApp_;
    // Lives on the input loop; touched only through InputLoop::call.
    std::unique_ptr<RemapSession> session_;
    // Changes the input loop reported (lastEvents, arrivals, departures),
    // waiting for the event loop, in the order they were made.
    std::vector<TextRecord> queue_;
    QTimer queueTimer_;
    // Formats every log line a record says; it keeps its capacity.
    std::string line_;
};

} // namespace bindwell
