// Input loop only (see ports/InputLoop.h).
#pragma once

#include "engine/ControllerSet.h"
#include "engine/core/Effects.h"
#include "engine/ports/Platform.h"

#include <memory>
#include <vector>

namespace bindwell {

// One run of remapping on the input loop: it captures the consumer-control
// interfaces of every controller an active profile claims, installs the
// event tap, hands every input to its controller's decision core and performs
// what the core decides. Every input's effects are performed alike on every
// loop: its posts in one batch, then its texts.
class RemapSession final {
public:
    explicit RemapSession(Platform& platform);
    ~RemapSession();
    RemapSession(const RemapSession&) = delete;
    RemapSession& operator=(const RemapSession&) = delete;

    // Prepares the poster, opens the HID manager and installs the tap.
    void start(std::vector<std::shared_ptr<const DeviceProfile>> profiles);
    // Lets go of every seized interface, the tap and the manager. Held
    // outputs stay held: the button's release may still come after a restart.
    void stop();
    // Lets go of every held output without a log line (the process is ending).
    void releaseHeld();
    // Later presses take the focused application's actions.
    void setFocus(const FocusedApp& app) { controllers_.setFocus(app); }

    // Bodies of the HID manager's three callbacks and of the tap's handler.
    void handleDeviceMatched(const HidDeviceRef& device);
    void handleDeviceRemoved(const HidDeviceRef& device);
    void handleInputValue(const HidInputValue& value);
    [[nodiscard]] TapVerdict handleTapEvent(const TapEvent& event, const DeviceIdentity* source);

    // How many interfaces are followed, over all controllers.
    [[nodiscard]] size_t trackedInterfaceCount();

private:
    void openHIDManager();
    void installEventTap();
    void removeEventTap();
    void announce(const Controller& controller, TextRecord::Kind kind);
    void perform();
    // Lets every gesture deadline at or before `now` pass, earliest first
    // over all controllers, then asks the loop for the next one.
    void passDeadlines(Micros now);
    // The controller whose gesture deadline comes first (the first of
    // equals), and that deadline; null when none waits.
    [[nodiscard]] Controller* nextToWake(Micros& deadline);
    void handleWake();
    // Asks the loop to wake at the earliest deadline, or not at all.
    void armWake();

    Platform& platform_;
    ControllerSet controllers_;
    Effects effects_;
    std::unique_ptr<HidManager> manager_;
    std::unique_ptr<EventTap> eventTap_;
    // The wake-up the loop was asked for.
    std::optional<Micros> armedDeadline_;
};

} // namespace bindwell
