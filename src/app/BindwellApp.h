// Main thread only.
#pragma once

#include "app/AppDelegate.h"
#include "app/MenuPopup.h"
#include "app/SetupWindow.h"
#include "app/TrayMenu.h"
#include "ui/MenuModel.h"

#include <QObject>
#include <QQmlEngine>

namespace bindwell {

class AppState;
class ConfigStore;
class HIDInterceptor;

// The application: its two scenes (the tray icon with the menu, and the one
// setup window) and the launch sequence. The QML types must be registered
// before it is created.
class BindwellApp final : public QObject, public MenuModel::Shell {
    Q_OBJECT

public:
    BindwellApp(AppState& appState, ConfigStore& store, HIDInterceptor& engine, bool trayAvailable,
                QObject* parent = nullptr);
    ~BindwellApp() override;

    // Started by the desktop's autostart entry: with setup complete, the
    // program only remaps and opens no window.
    void setStartedAtLogin(bool value) { startedAtLogin_ = value; }
    // Shows the scenes, then runs the launch callback.
    void launch();

    void showWindow(const QString& identifier) override;
    void openFeedbackForm() override;
    void terminate() override;

    [[nodiscard]] MenuModel& menu() { return menu_; }
    [[nodiscard]] TrayMenu& tray() { return tray_; }
    [[nodiscard]] MenuPopup& popup() { return popup_; }
    [[nodiscard]] SetupWindow& setupWindow() { return setupWindow_; }

private:
    void showScenes();

    ConfigStore& store_;
    bool trayAvailable_;
    bool startedAtLogin_ = false;
    QQmlEngine qml_;
    MenuModel menu_;
    SetupWindow setupWindow_;
    MenuPopup popup_;
    TrayMenu tray_;
    AppDelegate delegate_;
};

} // namespace bindwell
