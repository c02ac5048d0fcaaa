#include "ui/QmlRegistration.h"

#include "engine/HIDInterceptor.h"
#include "engine/ports/Platform.h"
#include "model/ConfigStore.h"
#include "state/AppState.h"
#include "ui/ActionCatalog.h"
#include "ui/ActiveProfileModel.h"
#include "ui/ButtonLearner.h"
#include "ui/DeviceListModel.h"
#include "ui/GnomeFocusExtension.h"
#include "ui/PermissionStatus.h"
#include "ui/SetupCommands.h"
#include "ui/ShortcutRecorder.h"
#include "ui/StartAtLogin.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>

// The pages live in a static QML plugin; pulling it in here spares every
// executable its own import line.
Q_IMPORT_QML_PLUGIN(Bindwell_UiPlugin)

namespace bindwell {
namespace {

constexpr const char* coreUri = "Bindwell.Core";

// Every engine that imports Bindwell.Core (the setup window's, the tray
// popup's) sees the same object, owned by C++ and never by an engine.
template <typename T> void registerShared(T& object, const char* name) {
    qmlRegisterSingletonType<T>(coreUri, 1, 0, name, [&object](QQmlEngine*, QJSEngine*) {
        QJSEngine::setObjectOwnership(&object, QJSEngine::CppOwnership);
        return &object;
    });
}

} // namespace

void registerQmlTypes(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                      Platform& platform) {
    // Parented to the application state, so they live exactly as long as it.
    auto* permissions = new PermissionStatus(platform.permissions(), &appState);
    auto* startAtLogin = new StartAtLogin(QCoreApplication::applicationFilePath(), &appState);
    auto* commands =
        new SetupCommands(appState, store, engine, *permissions, *startAtLogin, &appState);

    registerShared(appState, "AppState");
    registerShared(store, "ConfigStore");
    registerShared(engine, "HIDInterceptor");
    registerShared(appState.recentApps(), "RecentApps");
    registerShared(*new ActiveProfileModel(appState, store, &appState), "ActiveProfile");
    registerShared(*new DeviceListModel(appState, &appState), "DeviceList");
    registerShared(*new ButtonLearner(appState, store, engine, &appState), "ButtonLearner");
    registerShared(*new ActionCatalog(&appState), "ActionCatalog");
    registerShared(*new ShortcutRecorder(&appState), "ShortcutRecorder");
    registerShared(*permissions, "PermissionStatus");
    registerShared(*commands, "SetupCommands");
    registerShared(*startAtLogin, "StartAtLogin");
    registerShared(*new GnomeFocusExtension(processRunner(), &appState), "GnomeFocusExtension");
}

} // namespace bindwell
