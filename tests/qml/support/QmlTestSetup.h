// Main thread only.
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <memory>

namespace bindwell::test {

// The Qt Quick Test setup shared by every QML suite: a simulated platform, a
// store in a fresh temporary folder, the engine and the application state,
// all registered for QML together with the test bench ("Bindwell.Test").
// Each suite is its own process with its own home, so each starts from
// empty folders.
class QmlTestSetup final : public QObject {
    Q_OBJECT

public:
    QmlTestSetup();
    ~QmlTestSetup() override;

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine* engine);
    void cleanupTestCase();

private:
    struct World;
    QTemporaryDir home_;
    std::unique_ptr<World> world_;
};

} // namespace bindwell::test
