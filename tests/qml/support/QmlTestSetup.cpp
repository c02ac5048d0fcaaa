#include "QmlTestSetup.h"

#include "QmlTestBench.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"
#include "state/AppState.h"
#include "ui/PermissionStatus.h"
#include "ui/QmlRegistration.h"

#include <QQmlEngine>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace bindwell::test {

struct QmlTestSetup::World {
    sim::SimPlatform platform;
    QTemporaryDir folder;
    ConfigStore store{folder.path()};
    HIDInterceptor engine{platform, store};
    AppState appState{engine};
    QmlTestBench bench{platform, store, engine};

    World() { store.setEngine(&engine); }
};

QmlTestSetup::QmlTestSetup() = default;

QmlTestSetup::~QmlTestSetup() = default;

void QmlTestSetup::applicationAvailable() {
    // Test mode keeps the standard paths under $HOME/.qttest; a home of the
    // suite's own keeps suites running side by side out of each other's
    // files (the autostart entry among them).
    qputenv("HOME", home_.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    world_ = std::make_unique<World>();
    registerQmlTypes(world_->appState, world_->store, world_->engine, world_->platform);
    QmlTestBench* bench = &world_->bench;
    qmlRegisterSingletonType<QmlTestBench>(
        "Bindwell.Test", 1, 0, "TestBench", [bench](QQmlEngine*, QJSEngine*) {
            QJSEngine::setObjectOwnership(bench, QJSEngine::CppOwnership);
            return bench;
        });
}

// No test may run pkexec: the pages' access requests are recorded instead.
void QmlTestSetup::qmlEngineAvailable(QQmlEngine* engine) {
    const int type = qmlTypeId("Bindwell.Core", 1, 0, "PermissionStatus");
    if (auto* status = engine->singletonInstance<PermissionStatus*>(type)) {
        world_->bench.takeOverPermissionStatus(*status);
    }
}

void QmlTestSetup::cleanupTestCase() {
    // The engine may hold a seized simulated device; let it go before the
    // platform disappears.
    world_->engine.stop();
}

} // namespace bindwell::test
