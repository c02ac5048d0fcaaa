// Any thread; plain values.
#pragma once

#include "model/DeviceIdentity.h"
#include "model/DeviceProfile.h"

#include <cstdint>
#include <memory>

namespace bindwell {

// One log line or lastEvent text the core decided, kept as numbers and
// references into the profile. The input thread only copies these; the main
// thread turns them into text (RecordText.h) after the input's events are
// posted, so no formatting or allocation delays a press. `profile` keeps the
// mapping and action alive until then, even across a restart on another
// profile.
struct TextRecord {
    enum class Kind : uint8_t {
        // Log lines.
        hidEvent,              // page, usage, value
        unmappedButton,        // page, usage, value
        deduplicated,          // action, number = milliseconds since it fired
        keyOutOfRange,         // action, number = the stored key code
        unpostableKey,         // number = the stored key code
        suppressedMediaKey,    // number = the media key's code
        suppressedMouseButton, // action, number = the button
        releasedOnDisconnect,  // action
        gestureStarted,        // mapping, gesture, action (of a button with gestures)
        // lastEvent texts.
        mappingEvent,  // mapping, gesture, action (the mapping's own or an application's)
        unmappedEvent, // page, usage, number = the device's held keyboard modifiers
        // Not texts: a controller's first interface arrived or its last one
        // went (profile, unit).
        controllerArrived,
        controllerLeft,
    };

    // Small fields first, so that no padding sits between them: records are
    // made and moved on every input.
    Kind kind = Kind::hidEvent;
    Gesture gesture = Gesture::tap;
    uint32_t usagePage = 0;
    uint32_t usage = 0;
    // Which controller decided it (Controller::id); 0 for none.
    uint32_t controller = 0;
    int64_t value = 0;
    int64_t number = 0;
    const ButtonMapping* mapping = nullptr;
    const RemapAction* action = nullptr;
    std::shared_ptr<const DeviceProfile> profile;
    std::shared_ptr<const DeviceIdentity> unit;

    [[nodiscard]] bool isLastEvent() const {
        return kind == Kind::mappingEvent || kind == Kind::unmappedEvent;
    }
    [[nodiscard]] bool isPresence() const {
        return kind == Kind::controllerArrived || kind == Kind::controllerLeft;
    }
};

} // namespace bindwell
