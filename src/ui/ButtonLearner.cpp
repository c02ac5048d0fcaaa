#include "ui/ButtonLearner.h"

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "model/HidUsages.h"
#include "model/LearnedButtons.h"
#include "state/AppState.h"

namespace bindwell {

ButtonLearner::ButtonLearner(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                             QObject* parent)
    : QObject(parent), appState_(appState), store_(store), engine_(engine) {
    // On the next turn of the event loop: storing the button restarts the
    // engine, which must not happen inside the engine's own report.
    connect(&engine_, &HIDInterceptor::unmappedButtonPressed, this, &ButtonLearner::learn,
            Qt::QueuedConnection);
}

void ButtonLearner::setListening(bool listening) {
    if (listening == listening_) {
        return;
    }
    listening_ = listening;
    if (listening && !engine_.isRunning()) {
        engine_.start();
        startedEngine_ = engine_.isRunning();
    } else if (!listening && startedEngine_) {
        startedEngine_ = false;
        if (engine_.isRunning()) {
            engine_.stop();
        }
    }
    emit listeningChanged();
}

void ButtonLearner::learn(const QString& profileID, uint usagePage, uint usage, uint modifiers) {
    const auto& shown = appState_.activeProfile();
    // An array element comes with its concrete usage, which is the one learned.
    if (!listening_ || usage == kArrayElementUsage || !shown ||
        shown->id != profileID.toStdString() || !learnsButtons(*shown)) {
        return;
    }
    store_.addMapping(shown->id, learnedMapping(*shown, usagePage, usage, uint8_t(modifiers)));
    appState_.setActiveProfile(store_.profileWithID(shown->id));
}

} // namespace bindwell
