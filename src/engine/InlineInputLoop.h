// Main thread only.
#pragma once

#include "engine/ports/InputLoop.h"

namespace bindwell {

// The remapping path on the caller's own thread: commands run at once, and
// input arrives through the callers' event loop. The simulator uses it so a
// script runs step by step and deterministically.
class InlineInputLoop final : public InputLoop {
public:
    void call(const std::function<void()>& command) override { command(); }
    [[nodiscard]] bool isThreaded() const override { return false; }
};

} // namespace bindwell
