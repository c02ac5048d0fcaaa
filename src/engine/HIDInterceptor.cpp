// The engine's lifetime: start takes copies of the active profiles and starts
// a session on the input loop; stop ends it. The copy is deliberate: an edit
// in the store reaches a running engine only through a restart, and restart
// commands run between two input frames, so a profile never changes under a
// press that is being handled.
#include "engine/HIDInterceptor.h"

#include "engine/DeviceProperties.h"
#include "engine/core/RecordText.h"
#include "model/ConfigStore.h"
#include "support/Log.h"

#include <algorithm>

namespace bindwell {
namespace {

// A profile for one unit says which, so that twins' lines differ.
std::string describeTarget(const DeviceProfile& profile) {
    std::string text = describeDevice(profile.deviceName, profile.vendorID, profile.productID);
    if (!profile.serialNumber.empty()) {
        text += " serial " + profile.serialNumber;
    } else if (!profile.physicalPath.empty()) {
        text += " at " + profile.physicalPath;
    }
    return text;
}

} // namespace

HIDInterceptor::HIDInterceptor(Platform& platform, ConfigStore& store, QObject* parent)
    : QObject(parent), platform_(platform), store_(store),
      session_(std::make_unique<RemapSession>(platform)) {
    // The engine works on its own copy of the profile; a restart makes it
    // read the changed one.
    connect(&store_, &ConfigStore::activeProfilesChanged, this, [this] {
        if (isRunning_) {
            restart();
        }
    });
    platform_.inputLoop().setTextReceiver([this](const TextRecord& record, bool fromEventLoop) {
        receiveText(record, fromEventLoop);
    });
    queueTimer_.setSingleShot(true);
    queueTimer_.setInterval(0);
    connect(&queueTimer_, &QTimer::timeout, this, &HIDInterceptor::applyQueued);
}

HIDInterceptor::~HIDInterceptor() {
    platform_.inputLoop().call([this] { session_.reset(); });
    platform_.inputLoop().setTextReceiver({});
}

void HIDInterceptor::start() {
    if (isRunning_) {
        return;
    }
    std::vector<DeviceProfile> profiles = store_.activeProfiles();
    if (profiles.empty()) {
        log("No active profile found");
        return;
    }
    activeProfiles_.clear();
    for (DeviceProfile& profile : profiles) {
        activeProfiles_.push_back(std::make_shared<const DeviceProfile>(std::move(profile)));
    }
    platform_.inputLoop().call([this, started = activeProfiles_] { session_->start(started); });
    setRunning(true);
    for (const std::shared_ptr<const DeviceProfile>& profile : activeProfiles_) {
        log("Remapping started for " + describeTarget(*profile));
    }
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

void HIDInterceptor::setFocusedApp(const FocusedApp& app) {
    if (app == focusedApp_) {
        return;
    }
    // Rules read the application, never the title: a clock or a progress bar
    // in a title must not cost the input thread a blocking call each tick.
    const bool sameApplication =
        app.appId == focusedApp_.appId && app.wmClass == focusedApp_.wmClass;
    focusedApp_ = app;
    if (!sameApplication) {
        platform_.inputLoop().call([this, app] { session_->setFocus(app); });
    }
    emit focusedAppChanged();
}

void HIDInterceptor::announceStopped() {
    // Arrivals still queued belong to the run that ended.
    std::erase_if(queue_, [](const TextRecord& change) { return change.isPresence(); });
    if (!controllers_.empty()) {
        controllers_.clear();
        emit controllersChanged();
    }
    setRunning(false);
    log("Remapping stopped");
}

void HIDInterceptor::setRunning(bool running) {
    if (isRunning_ != running) {
        isRunning_ = running;
        emit isRunningChanged();
    }
}

void HIDInterceptor::receiveText(const TextRecord& record, bool fromEventLoop) {
    if (!record.isPresence() && !record.isLastEvent()) {
        line_.clear();
        appendRecordText(line_, record);
        log(line_);
        return;
    }
    // Deferred to the event loop so observers never run inside a device or tap
    // callback. A zero timer rather than a posted event: on the simulated
    // platform callbacks run inside the loop, so the timer fires on its next
    // turn without the wake-up write a posted event costs. Changes queued
    // before then share that turn and are applied one by one in the order made.
    // A loop that delivers on its own turn of the event loop needs no second
    // turn: that one is already outside every callback.
    queue_.push_back(record);
    if (fromEventLoop) {
        queueTimer_.stop();
        applyQueued();
    } else if (queue_.size() == 1) {
        queueTimer_.start();
    }
}

void HIDInterceptor::applyQueued() {
    // An observer that publishes in turn extends this same pass.
    for (size_t i = 0; i < queue_.size(); ++i) {
        apply(queue_[i]);
    }
    queue_.clear();
}

void HIDInterceptor::apply(TextRecord& change) {
    const auto status = std::find_if(controllers_.begin(), controllers_.end(),
                                     [&](const auto& c) { return c.id == change.controller; });
    switch (change.kind) {
    case TextRecord::Kind::controllerArrived:
        controllers_.push_back({.id = change.controller,
                                .profile = std::move(change.profile),
                                .unit = std::move(change.unit),
                                .lastEvent = {}});
        emit controllersChanged();
        return;
    case TextRecord::Kind::controllerLeft:
        if (status != controllers_.end()) {
            controllers_.erase(status);
            emit controllersChanged();
        }
        return;
    default:
        lastEvent_.clear();
        appendRecordText(lastEvent_, change);
        emit lastEventChanged();
        if (status != controllers_.end()) {
            status->lastEvent = lastEvent_;
            emit controllersChanged();
            if (change.kind == TextRecord::Kind::unmappedEvent && status->profile) {
                emit unmappedButtonPressed(QString::fromStdString(status->profile->id),
                                           change.usagePage, change.usage, uint(change.number));
            }
        }
        return;
    }
}

} // namespace bindwell
