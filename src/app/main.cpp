#include "app/BindwellApp.h"
#include "app/LaunchOptions.h"
#include "app/SingleInstanceGuard.h"
#include "engine/FocusFollowing.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/focus/FocusProbe.h"
#include "state/AppState.h"
#include "ui/QmlRegistration.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdio>

using namespace bindwell;

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so they work without a display.
    const LaunchOptions options = parseLaunchOptions(argc, argv);
    if (options.reply) {
        std::fputs(options.reply->c_str(), stdout);
        return 0;
    }
    // Widgets only for the tray icon's native menu; everything else is QML.
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bindwell"));
    QApplication::setDesktopFileName(QStringLiteral("bindwell"));
    // The setup window comes and goes; the program lives in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    // Decided before any shared object exists, so a second launch never
    // opens the devices the running one holds.
    SingleInstanceGuard guard;
    switch (guard.claim()) {
    case SingleInstanceGuard::Claim::handedOff:
        return 0;
    case SingleInstanceGuard::Claim::noAnswer:
        return 1;
    case SingleInstanceGuard::Claim::primary:
        break;
    }

    // Owned here, in dependency order, and handed down by reference: the
    // engine uses the platform and the store, the state observes the engine.
    LinuxPlatform platform;
    ConfigStore store(ConfigStore::defaultFolder());
    HIDInterceptor engine(platform, store);
    AppState appState(engine);
    registerQmlTypes(appState, store, engine, platform);

    BindwellApp app(appState, store, engine, QSystemTrayIcon::isSystemTrayAvailable());
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &app, [&app] {
        app.showWindow(QString::fromLatin1(MenuModel::setupWindowIdentifier));
    });
    // Application rules follow the desktop's focus; without a source they
    // stay inactive, and the menu says why.
    const std::unique_ptr<FocusSource> focus = linuxplatform::openFocusSource();
    followFocus(*focus, engine, [&app](const std::string& reason) {
        app.menu().setFocusUnavailableReason(QString::fromStdString(reason));
    });
    app.setStartedAtLogin(options.startedAtLogin);
    app.launch();
    const int status = QApplication::exec();
    // However the loop ended, nothing the engine holds down may outlive the
    // process's virtual devices.
    engine.shutdown();
    return status;
}
