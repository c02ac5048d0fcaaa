// Owned by the main thread; the session calls its factories and poster on the input loop.
#pragma once

#include "engine/ports/Clock.h"
#include "engine/ports/EventPoster.h"
#include "engine/ports/EventTap.h"
#include "engine/ports/HidManager.h"
#include "engine/ports/InputLoop.h"
#include "engine/ports/Permissions.h"
#include "model/ActionKeys.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace bindwell {

// The operating-system services the engine uses: the real ones for the
// application and `bindwellctl run`, simulated ones for tests and the
// scenario runner. Whoever creates the engine creates its platform first.
class Platform {
public:
    virtual ~Platform() = default;

    // A new manager matching consumer-control interfaces.
    [[nodiscard]] virtual std::unique_ptr<HidManager> createHidManager() = 0;
    // The consumer-control and keyboard-key interfaces present now, for the
    // device picker: their descriptions only, read without opening or
    // disturbing any of them.
    [[nodiscard]] virtual std::vector<HidDeviceRef> scanInterfaces() = 0;
    // An installed, not yet enabled tap, or nullptr when the system refuses one.
    [[nodiscard]] virtual std::unique_ptr<EventTap> createEventTap(const EventTapScope& scope,
                                                                   EventTap::Handler handler) = 0;
    [[nodiscard]] virtual EventPoster& eventPoster() = 0;
    // The key the poster types for a stored combination's key (its modifiers
    // may matter), or nothing when it cannot type it. Asked when a profile is
    // taken, never per press.
    [[nodiscard]] virtual std::optional<uint16_t>
    outputKeyFor(const KeyCombination& combination) const = 0;
    [[nodiscard]] virtual Permissions& permissions() = 0;
    [[nodiscard]] virtual const Clock& clock() const = 0;
    [[nodiscard]] virtual InputLoop& inputLoop() = 0;
};

} // namespace bindwell
