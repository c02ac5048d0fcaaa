// Main thread only.
#pragma once

#include "engine/ports/InputLoop.h"

#include <QCoreApplication>

namespace bindwell {

// The remapping path on the caller's own thread: commands run at once, and
// input arrives through the caller's event loop. The simulator uses it so a
// script runs step by step and deterministically.
class InlineInputLoop final : public InputLoop {
public:
    void call(const std::function<void()>& command) override { command(); }
    void runSoon(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    }
    void setTextReceiver(TextReceiver receiver) override { receiver_ = std::move(receiver); }
    void handOff(std::span<TextRecord> records) override {
        if (!receiver_) {
            return;
        }
        for (const TextRecord& record : records) {
            receiver_(record, false);
        }
    }

private:
    TextReceiver receiver_;
};

} // namespace bindwell
