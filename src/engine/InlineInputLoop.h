// Main thread only.
#pragma once

#include "engine/ports/InputLoop.h"

#include <QCoreApplication>
#include <optional>

namespace bindwell {

// The remapping path on the caller's own thread: commands run at once, and
// input arrives through the caller's event loop. The simulator uses it so a
// script runs step by step and deterministically; its clock moves only when
// told, so it also says when a wake-up is due (passWake).
class InlineInputLoop final : public InputLoop {
public:
    void call(const std::function<void()>& command) override { command(); }
    void runSoon(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    }
    void wakeAt(double deadline, std::function<void()> onDue) override {
        wakeDeadline_ = deadline;
        onWake_ = std::move(onDue);
    }
    void cancelWake() override { wakeDeadline_.reset(); }
    // The requested wake-up, if there is one.
    [[nodiscard]] std::optional<double> wakeDeadline() const { return wakeDeadline_; }
    // Runs the requested wake-up (the clock has reached it).
    void passWake() {
        wakeDeadline_.reset();
        const std::function<void()> onWake = std::move(onWake_);
        onWake();
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
    std::optional<double> wakeDeadline_;
    std::function<void()> onWake_;
};

} // namespace bindwell
