// Main thread only.
#pragma once

#include <QObject>
#include <QString>

namespace bindwell {

class AppState;
class ConfigStore;
class HIDInterceptor;

// Learns the buttons of the edited profile while the editor asks for them:
// each new key pressed on its controller is added as a learned mapping
// (LearnedButtons.h), stored at once and shown. Presses reach it the way
// every press reaches the program, from the running engine; so that they do,
// it runs the engine while it listens if nothing else did, and stops it
// again afterwards.
class ButtonLearner final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool listening READ listening WRITE setListening NOTIFY listeningChanged)

public:
    ButtonLearner(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                  QObject* parent = nullptr);

    [[nodiscard]] bool listening() const { return listening_; }
    void setListening(bool listening);

signals:
    void listeningChanged();

private:
    void learn(const QString& profileID, uint usagePage, uint usage, uint modifiers);

    AppState& appState_;
    ConfigStore& store_;
    HIDInterceptor& engine_;
    bool listening_ = false;
    bool startedEngine_ = false;
};

} // namespace bindwell
