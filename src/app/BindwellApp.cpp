#include "app/BindwellApp.h"

#include "app/FeedbackForm.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "state/AppState.h"
#include "support/Log.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace bindwell {

namespace {

// Off by default; the start-up benchmark turns it on to time the launch.
Q_LOGGING_CATEGORY(shellLog, "bindwell.shell", QtWarningMsg)

} // namespace

BindwellApp::BindwellApp(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                         bool trayAvailable, QObject* parent)
    : QObject(parent), store_(store), trayAvailable_(trayAvailable),
      menu_(appState, engine, store, *this), setupWindow_(qml_), popup_(qml_, menu_), tray_(menu_),
      delegate_(store, engine) {
    appState.setHasTray(trayAvailable);
    connect(&tray_, &TrayMenu::panelRequested, &popup_, &MenuPopup::showNear);
}

BindwellApp::~BindwellApp() = default;

void BindwellApp::launch() {
    showScenes();
    delegate_.applicationDidFinishLaunching();
}

// The icon is shown even without a tray host: hosts that start after the
// program (a panel restarting, a slow login) still pick it up.
void BindwellApp::showScenes() {
    tray_.show();
    qCDebug(shellLog, "tray icon shown");
    if (startedAtLogin_ && store_.hasCompletedSetup()) {
        // At login the tray host often starts after its programs; the icon
        // appears once it does, and a window nobody asked for would not help.
        return;
    }
    if (!trayAvailable_) {
        // Without a tray the window is the only way in; never leave an invisible program.
        log("⚠️ No system tray available; showing the window instead");
        setupWindow_.open();
    } else if (!store_.hasCompletedSetup()) {
        // Shown now, brought forward by the launch sequence once mapped.
        setupWindow_.show();
    }
}

void BindwellApp::showWindow(const QString& identifier) {
    if (identifier == QLatin1String(MenuModel::setupWindowIdentifier)) {
        setupWindow_.open();
    }
}

void BindwellApp::openFeedbackForm() {
    bindwell::openFeedbackForm();
}

void BindwellApp::terminate() {
    QCoreApplication::quit();
}

} // namespace bindwell
