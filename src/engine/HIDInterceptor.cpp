// The engine's lifetime: start takes a copy of the active profile and starts
// a session on the input loop; stop ends it. The copy is deliberate: an edit
// in the store reaches a running engine only through a restart, and restart
// commands run between two input frames, so a profile never changes under a
// press that is being handled.
#include "engine/HIDInterceptor.h"

#include "engine/DeviceProperties.h"
#include "engine/core/RecordText.h"
#include "model/ConfigStore.h"
#include "support/Log.h"

namespace bindwell {

HIDInterceptor::HIDInterceptor(Platform& platform, ConfigStore& store, QObject* parent)
    : QObject(parent), platform_(platform), store_(store),
      session_(std::make_unique<RemapSession>(platform)) {
    // The engine works on its own copy of the profile; a restart makes it
    // read the changed one.
    connect(&store_, &ConfigStore::activeProfileChanged, this, [this] {
        if (isRunning_) {
            restart();
        }
    });
    platform_.inputLoop().setTextReceiver(
        [this](const TextRecord& record) { receiveText(record); });
    lastEventTimer_.setSingleShot(true);
    lastEventTimer_.setInterval(0);
    connect(&lastEventTimer_, &QTimer::timeout, this, &HIDInterceptor::assignQueuedLastEvents);
}

HIDInterceptor::~HIDInterceptor() {
    platform_.inputLoop().call([this] { session_.reset(); });
    platform_.inputLoop().setTextReceiver({});
}

void HIDInterceptor::start() {
    if (isRunning_) {
        return;
    }
    std::optional<DeviceProfile> profile = store_.activeProfile();
    if (!profile) {
        log("No active profile found");
        return;
    }
    activeProfile_ = std::make_shared<const DeviceProfile>(std::move(*profile));
    platform_.inputLoop().call([this, profile = activeProfile_] { session_->start(profile); });
    setRunning(true);
    log("Remapping started for " + describeDevice(activeProfile_->deviceName,
                                                  activeProfile_->vendorID,
                                                  activeProfile_->productID));
}

void HIDInterceptor::stop() {
    platform_.inputLoop().call([this] {
        session_->releaseHeld();
        session_->stop();
    });
    announceStopped();
}

void HIDInterceptor::restart() {
    platform_.inputLoop().call([this] { session_->stop(); });
    announceStopped();
    start();
}

void HIDInterceptor::shutdown() {
    if (isRunning_) {
        stop();
    } else {
        platform_.inputLoop().call([this] { session_->releaseHeld(); });
    }
}

void HIDInterceptor::announceStopped() {
    setRunning(false);
    log("Remapping stopped");
}

void HIDInterceptor::setRunning(bool running) {
    if (isRunning_ != running) {
        isRunning_ = running;
        emit isRunningChanged();
    }
}

void HIDInterceptor::receiveText(const TextRecord& record) {
    if (record.isLastEvent()) {
        queueLastEvent(recordText(record));
    } else {
        log(recordText(record));
    }
}

void HIDInterceptor::queueLastEvent(std::string text) {
    // Deferred to the event loop so observers never run inside a device or tap
    // callback. A zero timer rather than a posted event: on the simulated
    // platform callbacks run inside the loop, so the timer fires on its next
    // turn without the wake-up write a posted event costs. Texts queued before
    // then share that turn and are assigned one by one in the order made.
    lastEventQueue_.push_back(std::move(text));
    if (lastEventQueue_.size() == 1) {
        lastEventTimer_.start();
    }
}

void HIDInterceptor::assignQueuedLastEvents() {
    // An observer that publishes in turn extends this same pass.
    for (size_t i = 0; i < lastEventQueue_.size(); ++i) {
        lastEvent_ = std::move(lastEventQueue_[i]);
        emit lastEventChanged();
    }
    lastEventQueue_.clear();
}

} // namespace bindwell
