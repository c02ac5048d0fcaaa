// Main thread only.
#pragma once

#include "engine/ports/InputLoop.h"

#include <QCoreApplication>

namespace bindwell {

// The remapping path on the caller's own thread: commands run at once, and
// input arrives through the callers' event loop. The simulator uses it so a
// script runs step by step and deterministically.
class InlineInputLoop final : public InputLoop {
public:
    void call(const std::function<void()>& command) override { command(); }
    void runSoon(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    }
    [[nodiscard]] bool isThreaded() const override { return false; }
    void setLastEventReceiver(LastEventReceiver receiver) override {
        receiver_ = std::move(receiver);
    }
    void publishLastEvent(std::string& text) override {
        if (receiver_) {
            receiver_(text);
        }
    }

private:
    LastEventReceiver receiver_;
};

} // namespace bindwell
