// Main thread only.
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <memory>

namespace bindwell::test {

// The Qt Quick Test setup shared by every QML suite: a simulated platform, a
// store in a fresh temporary folder, the engine and the application state,
// all registered for QML together with the test bench ("Bindwell.Test").
// Each suite is its own process, so each starts from an empty folder.
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
    std::unique_ptr<World> world_;
};

} // namespace bindwell::test
