// Capture of the controllers. The manager follows every consumer-control
// interface, and the keyboard-key interfaces of the units a profile claims
// (never another keyboard), and the controllers are picked out here: by vendor and product
// ID, and by serial number or physical path where a profile names one unit,
// so every interface of a claimed unit is captured. An interface is tracked
// before it is seized and stays tracked when the seize is refused: its
// values still drive the actions, and the tap swallows the copies the system
// also receives. Matching on the name was rejected: names differ between the
// dongle and Bluetooth.
//
// Values of interfaces that are not tracked die here, before the core.
//
// Gesture deadlines: the loop keeps one wake-up, for the earliest deadline of
// all controllers. Deadlines at or before an input's time pass before the
// input is handled, whichever the loop noticed first, so the order of a
// release and its deadline never depends on a race. Nothing is armed while
// no gesture waits, so remapping without gestures never wakes for one.
#include "engine/RemapSession.h"

#include "engine/DeviceProperties.h"
#include "support/Log.h"

#include <algorithm>

namespace bindwell {
namespace {

bool holds(const std::vector<HidDeviceRef>& devices, const HidDeviceRef& device) {
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

} // namespace

RemapSession::RemapSession(Platform& platform)
    : platform_(platform), controllers_([&platform](const KeyCombination& combination) {
          return platform.outputKeyFor(combination);
      }) {}

// Quietly: the manager and the tap let go of their devices as they are
// destroyed, and a session that ends with its owner logs nothing.
RemapSession::~RemapSession() {
    if (armedDeadline_) {
        platform_.inputLoop().cancelWake();
    }
}

void RemapSession::start(std::vector<std::shared_ptr<const DeviceProfile>> profiles) {
    controllers_.setProfiles(std::move(profiles));
    platform_.eventPoster().prepare();
    openHIDManager();
    installEventTap();
}

void RemapSession::stop() {
    // A gesture does not outlive the run: what it waits for is dropped and
    // what it holds goes up. Keys a keyboard-key device passed go up too:
    // once its node is let go, their releases would reach the desktop from
    // the device, not from us.
    controllers_.forEach([this](Controller& controller) {
        effects_.setController(controller.id);
        controller.core.endGestures(effects_);
        controller.core.releaseKeyboardKeys(effects_, false);
    });
    perform();
    armWake();
    controllers_.releaseInterfaces();
    removeEventTap();
    if (manager_) {
        manager_->close();
        manager_.reset();
    }
}

void RemapSession::releaseHeld() {
    controllers_.forEach([this](Controller& controller) {
        effects_.setController(controller.id);
        controller.core.releaseHeld(effects_, false);
    });
    perform();
    armWake();
}

void RemapSession::openHIDManager() {
    manager_ = platform_.createHidManager();
    manager_->open({
        .matched = [this](const HidDeviceRef& device) { handleDeviceMatched(device); },
        .removed = [this](const HidDeviceRef& device) { handleDeviceRemoved(device); },
        .inputValue = [this](const HidInputValue& value) { handleInputValue(value); },
        .readsKeyboardOf = [this](const DeviceIdentity& unit) { return controllers_.claims(unit); },
    });
    log("HID Manager opened (consumer control interfaces only)");
}

void RemapSession::installEventTap() {
    EventTapScope scope;
    for (const std::shared_ptr<const DeviceProfile>& profile : controllers_.profiles()) {
        const DeviceModelID model{.vendorID = profile->vendorID, .productID = profile->productID};
        if (std::find(scope.models.begin(), scope.models.end(), model) == scope.models.end()) {
            scope.models.push_back(model);
        }
    }
    eventTap_ = platform_.createEventTap(
        scope, [this](const TapEvent& event, const DeviceIdentity* source) {
            return handleTapEvent(event, source);
        });
    if (!eventTap_) {
        log("⚠️ Could not create the event tap — media keys may double-fire");
        log("Make sure Bindwell has the Send input permission");
        return;
    }
    eventTap_->setEnabled(true);
    log("✅ Event tap installed — media keys + extra mouse buttons will be intercepted");
}

void RemapSession::removeEventTap() {
    if (!eventTap_) {
        return;
    }
    eventTap_->setEnabled(false);
    eventTap_.reset();
    log("Event tap removed");
}

void RemapSession::handleDeviceMatched(const HidDeviceRef& device) {
    const HidDeviceDescription& description = device->description();
    const std::string& name = description.product;
    const DeviceIdentity unit = description.unit();
    const bool isKeyboard = description.hasKeyboardKeys();
    log((isKeyboard ? "Keyboard-key interface found: " : "Consumer control interface found: ") +
        describeDevice(name, unit.vendorID, unit.productID));
    Controller* controller = controllers_.claim(unit);
    if (controller == nullptr) {
        log("⏭️ Skipping non-target device: " + name);
        return;
    }
    const bool arrives = !controller->isPresent();
    // Matched again once it can be read: followed already, now seized too.
    if (device->follower() != controller->id) {
        ControllerSet::follow(*controller, device);
    }
    const int32_t result = device->openSeized();
    if (result != 0) {
        log("⚠️ Could not seize " + name + " (error: " + std::to_string(result) +
            "). Using the event tap instead.");
    } else {
        controller->seized.push_back(device);
        log((isKeyboard ? "✅ Seized keyboard-key interface for: "
                        : "✅ Seized consumer control interface for: ") +
            name);
    }
    if (arrives) {
        announce(*controller, TextRecord::Kind::controllerArrived);
    }
}

void RemapSession::handleDeviceRemoved(const HidDeviceRef& device) {
    log("Device disconnected: " + device->description().product);
    Controller* controller = controllers_.following(*device);
    if (controller == nullptr) {
        return;
    }
    if (holds(controller->seized, device)) {
        device->close();
    }
    ControllerSet::unfollow(*controller, device);
    controller->core.forgetInterface(device.get());
    if (device->description().hasKeyboardKeys()) {
        // A controller that stays (a receiver's other interfaces) ends the
        // actions of the keys too; one that leaves lets go of them below.
        effects_.setController(controller->id);
        controller->core.releaseKeyboardKeys(effects_, controller->isPresent());
        perform();
    }
    if (!controller->isPresent()) {
        // The controller is gone, so the release of a held button will never
        // arrive; without this the desktop would keep a mouse button or Fn down.
        effects_.setController(controller->id);
        controller->core.releaseHeld(effects_, true);
        announce(*controller, TextRecord::Kind::controllerLeft);
        armWake();
    }
}

void RemapSession::handleInputValue(const HidInputValue& value) {
    Controller* controller = controllers_.following(*value.device);
    if (controller == nullptr) {
        return;
    }
    const double now = value.timestamp > 0 ? value.timestamp : platform_.clock().uptimeSeconds();
    if (armedDeadline_) [[unlikely]] {
        passDeadlines(toMicros(now));
    }
    effects_.setController(controller->id);
    controller->core.input(value, now, effects_);
    perform();
    if (effects_.takeGestureChange()) [[unlikely]] {
        armWake();
    }
}

TapVerdict RemapSession::handleTapEvent(const TapEvent& event, const DeviceIdentity* source) {
    Controller* controller = controllers_.forTapSource(source);
    if (controller == nullptr) {
        return TapVerdict::pass;
    }
    const double now = platform_.clock().uptimeSeconds();
    if (armedDeadline_) {
        passDeadlines(toMicros(now));
    }
    effects_.setController(controller->id);
    const TapVerdict verdict = controller->core.tap(event, now, effects_);
    perform();
    if (effects_.takeGestureChange()) {
        armWake();
    }
    return verdict;
}

Controller* RemapSession::nextToWake(Micros& deadline) {
    Controller* next = nullptr;
    controllers_.forEach([&](Controller& controller) {
        const std::optional<Micros> own = controller.core.nextDeadline();
        if (own && (next == nullptr || *own < deadline)) {
            deadline = *own;
            next = &controller;
        }
    });
    return next;
}

void RemapSession::passDeadlines(Micros now) {
    Micros deadline = 0;
    for (Controller* due = nextToWake(deadline); due != nullptr && deadline <= now;
         due = nextToWake(deadline)) {
        effects_.setController(due->id);
        due->core.passDeadline(now, effects_);
        perform();
    }
    armWake();
}

void RemapSession::handleWake() {
    // The loop's request is used up. It wakes at the deadline or later, so
    // the deadline itself is due even if the clock reads a hair earlier.
    const Micros deadline = armedDeadline_.value_or(0);
    armedDeadline_.reset();
    passDeadlines(std::max(toMicros(platform_.clock().uptimeSeconds()), deadline));
}

void RemapSession::armWake() {
    // This answers any change the cores noted.
    (void)effects_.takeGestureChange();
    Micros deadline = 0;
    const std::optional<Micros> earliest =
        nextToWake(deadline) != nullptr ? std::optional(deadline) : std::nullopt;
    if (earliest == armedDeadline_) {
        return;
    }
    armedDeadline_ = earliest;
    if (earliest) {
        platform_.inputLoop().wakeAt(static_cast<double>(*earliest) / 1e6,
                                     [this] { handleWake(); });
    } else {
        platform_.inputLoop().cancelWake();
    }
}

size_t RemapSession::trackedInterfaceCount() {
    size_t count = 0;
    controllers_.forEach(
        [&count](const Controller& controller) { count += controller.tracked.size(); });
    return count;
}

void RemapSession::announce(const Controller& controller, TextRecord::Kind kind) {
    effects_.setController(controller.id);
    TextRecord& record = effects_.text(kind);
    record.profile = controller.core.profile();
    record.unit = controller.unit;
    perform();
}

void RemapSession::perform() {
    if (!effects_.posts().empty()) {
        platform_.eventPoster().post(effects_.posts());
    }
    if (!effects_.texts().empty()) {
        platform_.inputLoop().handOff(effects_.texts());
    }
    effects_.clear();
}

} // namespace bindwell
