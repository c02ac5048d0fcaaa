#include "app/AppState.h"
#include "app/BindwellApp.h"
#include "app/LaunchOptions.h"
#include "app/SingleInstanceGuard.h"
#include "engine/HIDInterceptor.h"
#include "engine/ports/Platform.h"
#include "model/ConfigStore.h"
#include "platform/linux/LinuxPlatform.h"
#include "ui/QmlRegistration.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdio>
#include <memory>

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

    installPlatform(std::make_unique<LinuxPlatform>());
    AppState& appState = AppState::shared();
    ConfigStore& store = ConfigStore::shared();
    HIDInterceptor& engine = HIDInterceptor::shared();
    registerQmlTypes(appState, store, engine, currentPlatform());

    BindwellApp app(appState, store, engine, QSystemTrayIcon::isSystemTrayAvailable());
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &app, [&app] {
        app.showWindow(QString::fromLatin1(MenuModel::setupWindowIdentifier));
    });
    app.setStartedAtLogin(options.startedAtLogin);
    app.launch();
    return QApplication::exec();
}
