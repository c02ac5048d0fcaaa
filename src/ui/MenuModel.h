// Main thread only.
#pragma once

#include "engine/ControllerStatus.h"
#include "model/DeviceProfile.h"
#include "model/FocusedApp.h"
#include "ui/StartAtLogin.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace bindwell {

class AppState;
class ConfigStore;
class HIDInterceptor;

// Which optional rows the tray menu shows and what they say, for one state.
struct MenuRows {
    bool isRemapping = false;
    bool showsLastEvent = false;
    QString lastEvent;
    bool showsDevice = false;
    QString deviceName;
    // While several controllers are remapped, one line each ("<device> —
    // <its last event>") in place of the last-event and device rows.
    QStringList controllerLines;
    // "App rules: <app>" while a rule of an active profile fits the focused
    // application, "App rules: none for <app>" while none does; empty (hidden)
    // when remapping is off or no active profile has rules.
    QString appRules;
    // "Per-app rules inactive: <why>" while rules exist but the focused
    // application cannot be known.
    QString focusUnavailable;

    friend bool operator==(const MenuRows&, const MenuRows&) = default;
};

// What the menu knows of the focused application.
struct MenuFocus {
    FocusedApp app;
    // As the desktop names it (RecentApps::displayName).
    QString name;
    // Why no focus source runs; empty while one does.
    QString unavailableReason;
};

// The last event only means something while remapping runs. The device row
// names the controller being remapped, else the stored active profiles,
// whether or not remapping runs. With one controller the menu reads as it
// did before several could be remapped.
[[nodiscard]] MenuRows menuRows(bool isRemapping, const std::string& lastEvent,
                                const std::vector<DeviceProfile>& activeProfiles,
                                const std::vector<ControllerStatus>& controllers,
                                const MenuFocus& focus = {});

// The one source of the tray menu's rows and commands: the QML panel and the
// native context menu both read it, so they cannot disagree.
class MenuModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRemapping READ isRemapping NOTIFY changed)
    Q_PROPERTY(QString statusText READ statusText NOTIFY changed)
    Q_PROPERTY(QString toggleText READ toggleText NOTIFY changed)
    Q_PROPERTY(QString toggleStateText READ toggleStateText NOTIFY changed)
    Q_PROPERTY(bool showsLastEvent READ showsLastEvent NOTIFY changed)
    Q_PROPERTY(QString lastEvent READ lastEvent NOTIFY changed)
    Q_PROPERTY(bool showsDevice READ showsDevice NOTIFY changed)
    Q_PROPERTY(QString deviceName READ deviceName NOTIFY changed)
    Q_PROPERTY(QStringList controllerLines READ controllerLines NOTIFY changed)
    Q_PROPERTY(QString appRules READ appRules NOTIFY changed)
    Q_PROPERTY(QString focusUnavailable READ focusUnavailable NOTIFY changed)
    Q_PROPERTY(QString focusUnavailableReason READ focusUnavailableReason WRITE
                   setFocusUnavailableReason NOTIFY changed)
    Q_PROPERTY(bool startsAtLogin READ startsAtLogin NOTIFY startsAtLoginChanged)

public:
    // What the menu's commands ask of the application around it.
    class Shell {
    public:
        virtual ~Shell() = default;
        // Brings the application forward and opens (or raises) the window.
        virtual void showWindow(const QString& identifier) = 0;
        virtual void openFeedbackForm() = 0;
        virtual void terminate() = 0;
    };

    static constexpr const char* setupWindowIdentifier = "setup";

    MenuModel(AppState& appState, HIDInterceptor& engine, const ConfigStore& store, Shell& shell,
              QObject* parent = nullptr);

    [[nodiscard]] const MenuRows& rows() const { return rows_; }
    [[nodiscard]] bool isRemapping() const { return rows_.isRemapping; }
    [[nodiscard]] QString statusText() const;
    [[nodiscard]] QString toggleText() const;
    [[nodiscard]] QString toggleStateText() const;
    [[nodiscard]] bool showsLastEvent() const { return rows_.showsLastEvent; }
    [[nodiscard]] QString lastEvent() const { return rows_.lastEvent; }
    [[nodiscard]] bool showsDevice() const { return rows_.showsDevice; }
    [[nodiscard]] QString deviceName() const { return rows_.deviceName; }
    [[nodiscard]] QStringList controllerLines() const { return rows_.controllerLines; }
    [[nodiscard]] QString appRules() const { return rows_.appRules; }
    [[nodiscard]] QString focusUnavailable() const { return rows_.focusUnavailable; }
    [[nodiscard]] bool startsAtLogin() const { return startAtLogin_.isEnabled(); }
    // Set by the application when no source of the focused application could
    // start (the desktop offers none it can use); empty when one runs.
    [[nodiscard]] QString focusUnavailableReason() const { return focusUnavailableReason_; }
    void setFocusUnavailableReason(const QString& reason);

    Q_INVOKABLE void toggleRemapping();
    Q_INVOKABLE void openButtonSettings();
    Q_INVOKABLE void sendFeedback();
    Q_INVOKABLE void toggleStartAtLogin();
    // The setting lives in a file the settings window may change too.
    Q_INVOKABLE void refreshStartAtLogin() { startAtLogin_.refresh(); }
    // Stops the engine whatever its state, then ends the application.
    Q_INVOKABLE void quit();

signals:
    void changed();
    void startsAtLoginChanged();
    // A command ran; a panel showing the menu closes, as a menu does.
    void commandRun();

private:
    void refresh();
    [[nodiscard]] MenuRows currentRows() const;

    AppState& appState_;
    HIDInterceptor& engine_;
    const ConfigStore& store_;
    Shell& shell_;
    MenuRows rows_;
    QString focusUnavailableReason_;
    StartAtLogin startAtLogin_;
};

} // namespace bindwell
