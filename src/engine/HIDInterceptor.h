// Main thread only.
#pragma once

#include "engine/ArrayElementPresses.h"
#include "engine/DedupeGate.h"
#include "engine/ports/Platform.h"
#include "model/DetectedHIDDevice.h"
#include "model/DeviceProfile.h"
#include "model/RemappingEngine.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bindwell {

class ConfigStore;
class RemappingObserver;

// The remapping engine: captures the target controller's consumer-control
// interfaces, turns their button values into the active profile's actions,
// posts the synthetic events and runs the event tap for media keys and the
// extra mouse buttons. It reaches the system only through the platform's ports.
class HIDInterceptor final : public QObject, public RemappingEngine {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(QString lastEvent READ lastEventText NOTIFY lastEventChanged)

public:
    // The process-wide engine on the installed platform and the shared store.
    static HIDInterceptor& shared();
    // Registers itself with the store, which restarts it after an edit.
    HIDInterceptor(Platform& platform, ConfigStore& store, QObject* parent = nullptr);
    ~HIDInterceptor() override;
    HIDInterceptor(const HIDInterceptor&) = delete;
    HIDInterceptor& operator=(const HIDInterceptor&) = delete;

    // Told whenever start or stop changes whether remapping runs.
    void setRemappingObserver(RemappingObserver* observer);
    [[nodiscard]] RemappingObserver* remappingObserver() const { return observer_; }

    // The platform the engine runs on; the scan of the device picker uses it too.
    [[nodiscard]] Platform& platform() const { return platform_; }

    [[nodiscard]] bool isRunning() const override { return isRunning_; }
    [[nodiscard]] const std::string& lastEvent() const { return lastEvent_; }
    [[nodiscard]] QString lastEventText() const { return QString::fromStdString(lastEvent_); }

    Q_INVOKABLE void start() override;
    Q_INVOKABLE void stop() override;
    // Lets go of every held click, Fn and held keystroke, logging why. The
    // last interface leaving calls it; so does a process about to exit, whose
    // buttons' releases can no longer arrive.
    void releaseHeldOutput(std::string_view reason);

    // Bodies of the HID manager's three callbacks.
    void handleDeviceMatched(const HidDeviceRef& device);
    void handleDeviceRemoved(const HidDeviceRef& device);
    void handleInputValue(const HidInputValue& value);

    // Body of the event tap's callback: the tap lets the event through or drops it.
    [[nodiscard]] TapVerdict handleEventTapEvent(const TapEvent& event);

    // Performs one action for a press or a release: the repeat filter first,
    // then the synthetic events.
    void performAction(const RemapAction& action, bool isPressed);

    [[nodiscard]] const std::optional<DeviceProfile>& activeProfile() const {
        return activeProfile_;
    }
    [[nodiscard]] const std::vector<HidDeviceRef>& trackedDevices() const {
        return trackedDevices_;
    }
    [[nodiscard]] const std::vector<HidDeviceRef>& seizedDevices() const { return seizedDevices_; }
    [[nodiscard]] bool hasHidManager() const { return manager_ != nullptr; }
    [[nodiscard]] bool hasEventTap() const { return eventTap_ != nullptr; }
    [[nodiscard]] bool holdLeftClickActive() const { return holdLeftClickActive_; }
    [[nodiscard]] const DedupeGate& dedupeGate() const { return gate_; }

    // The consumer-control devices present now, filtered, one per vendor and
    // product ID, sorted for the device picker. Leaves any running engine alone.
    [[nodiscard]] static std::vector<DetectedHIDDevice> scanConsumerControlDevices();
    [[nodiscard]] static std::vector<DetectedHIDDevice>
    scanConsumerControlDevices(Platform& platform);

signals:
    void isRunningChanged();
    // Emitted for every assignment, also when the text repeats, so the menu
    // and the scenario runner see each button event.
    void lastEventChanged();

private:
    // Capture (DeviceCapture.cpp).
    void openHIDManager();
    [[nodiscard]] bool isTargetDevice(const HidDevice& device) const;
    void closeSeizedDevices();

    // Dispatch (InputDispatch.cpp).
    void dispatchMapping(const ButtonMapping& mapping, bool isPressed);
    void releaseArrayElement(const HidInputValue& value);
    void reportUnmapped(const HidInputValue& value);

    // Synthesis (ActionSynthesis.cpp).
    void synthesize(const RemapAction& action, bool isPressed);
    void postKeyTap(int64_t keyCode, uint64_t flags, const std::string& displayName);
    void postHeldClick(bool& holdActive, bool isPressed, int button);
    void postFnKey(bool isPressed);
    void postHeldKeystroke(const RemapAction& action, bool isPressed);

    // Tap (EventTapDecisions.cpp).
    void installEventTap();
    void removeEventTap();
    [[nodiscard]] TapVerdict handleMediaKeyEvent(const TapEvent& event) const;
    [[nodiscard]] TapVerdict handleMouseButtonEvent(const TapEvent& event);

    // The text to publish as lastEvent once the event loop runs; fill it in.
    [[nodiscard]] std::string& queueLastEvent();
    void assignQueuedLastEvents();
    void setRunning(bool running);

    Platform& platform_;
    ConfigStore& store_;
    RemappingObserver* observer_ = nullptr;

    bool isRunning_ = false;
    std::string lastEvent_;
    std::unique_ptr<HidManager> manager_;
    std::vector<HidDeviceRef> trackedDevices_;
    std::vector<HidDeviceRef> seizedDevices_;
    std::optional<DeviceProfile> activeProfile_;
    // The tap object is also its own event-loop source: installing it hooks it
    // into the loop, destroying it unhooks it, so there is no separate source field.
    std::unique_ptr<EventTap> eventTap_;
    bool holdLeftClickActive_ = false;
    bool holdRightClickActive_ = false;
    // A posted Fn key-down whose key-up is still owed, so an unplug can release it.
    bool fnKeyHeld_ = false;
    // Held keystrokes whose key-up is still owed, in the order they went down.
    struct HeldKey {
        uint16_t keyCode;
        uint64_t flags;
        RemapAction action;
        friend bool operator==(const HeldKey& a, const HeldKey& b) {
            return a.keyCode == b.keyCode && a.flags == b.flags;
        }
    };
    std::vector<HeldKey> heldKeys_;
    // Holds lastActionTime and dedupeWindow.
    DedupeGate gate_;
    ArrayElementPresses arrayPresses_;
    // lastEvent texts waiting for the event loop, in the order they were made;
    // slots past queuedLastEvents_ are spare buffers.
    std::vector<std::string> lastEventQueue_;
    size_t queuedLastEvents_ = 0;
    QTimer lastEventTimer_;
};

} // namespace bindwell
