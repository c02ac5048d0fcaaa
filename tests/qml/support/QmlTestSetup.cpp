#include "QmlTestSetup.h"

#include "QmlTestBench.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"
#include "state/AppState.h"
#include "ui/QmlRegistration.h"

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

void QmlTestSetup::qmlEngineAvailable(QQmlEngine* /*engine*/) {}

void QmlTestSetup::cleanupTestCase() {
    // The engine may hold a seized simulated device; let it go before the
    // platform disappears.
    world_->engine.stop();
}

} // namespace bindwell::test
