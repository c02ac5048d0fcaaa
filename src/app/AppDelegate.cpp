#include "app/AppDelegate.h"

#include "app/WindowActivation.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"

#include <QTimer>
#include <QWindow>

namespace bindwell {

AppDelegate::AppDelegate(const ConfigStore& store, HIDInterceptor& engine, QObject* parent)
    : QObject(parent), store_(store), engine_(engine) {}

// The two steps are independent on purpose: a user who quit in the middle of
// changing device keeps remapping with the active profile and still sees the
// setup window again, whose last page then finds remapping already on.
void AppDelegate::applicationDidFinishLaunching() {
    if (store_.hasActiveProfile()) {
        engine_.start();
    }
    if (!store_.hasCompletedSetup()) {
        QTimer::singleShot(bringToFrontDelayMs, this, &AppDelegate::bringSetupWindowToFront);
    }
}

void AppDelegate::bringSetupWindowToFront() {
    if (QWindow* window = findWindowTitled(QString::fromLatin1(setupWindowTitle))) {
        bringToFront(*window);
    }
}

} // namespace bindwell
