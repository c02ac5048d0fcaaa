// Main thread only.
#pragma once

#include "model/DeviceProfile.h"

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace bindwell {

class AppState;
class ConfigStore;
class HIDInterceptor;
class PermissionStatus;
class StartAtLogin;

// One method per command of the setup window's pages. Each follows the
// page's steps against the shared state; the pages only lay out and call.
class SetupCommands final : public QObject {
    Q_OBJECT

public:
    SetupCommands(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                  PermissionStatus& permissions, StartAtLogin& startAtLogin,
                  QObject* parent = nullptr);

    // The setup window's content appeared. Returns whether the permissions
    // guide is passed: after setup always (and the editor is prepared with the
    // stored active profile), on a first run only when both are granted.
    Q_INVOKABLE bool windowAppeared();

    // Device selection: the picked device's default layout becomes the stored
    // active profile and the wizard moves to the mapping page. When the
    // device still has nodes this user cannot read, the grant is asked for
    // (for a device with keyboard keys, the page has asked the user first).
    Q_INVOKABLE void nextWithDevice(const QVariantMap& device);

    // Mapping editor.
    // The action is a row's map as the picker hands it back (ActionMaps).
    Q_INVOKABLE void chooseAction(const QString& profileID, const QString& mappingID,
                                  const QVariantMap& action);
    // An application rule: the button does `action` while an application
    // `match` fits has the focus. Stored after the button's other rules; a
    // blank match is not stored (it would fit nothing).
    Q_INVOKABLE void addAppAction(const QString& profileID, const QString& mappingID,
                                  const QString& match, const QVariantMap& action);
    // Removes the button's rule at `index` in its appOverrides.
    Q_INVOKABLE void removeAppAction(const QString& profileID, const QString& mappingID, int index);
    // Removes a button the profile learned.
    Q_INVOKABLE void removeButton(const QString& profileID, const QString& mappingID);
    // The button's hold or double-tap action (`gesture` "hold" or
    // "doubleTap"), chosen in the picker or cleared; a cleared one is no
    // longer written to the file.
    Q_INVOKABLE void chooseGestureAction(const QString& profileID, const QString& mappingID,
                                         const QString& gesture, const QVariantMap& action);
    Q_INVOKABLE void clearGestureAction(const QString& profileID, const QString& mappingID,
                                        const QString& gesture);
    // The profile's hold or double-tap time; the store keeps it in range.
    Q_INVOKABLE void setGestureMilliseconds(const QString& profileID, const QString& gesture,
                                            int milliseconds);
    // Finishing setup also turns Start at Login on; the completion page says
    // so and offers to turn it off.
    Q_INVOKABLE void activate();
    Q_INVOKABLE void back();
    Q_INVOKABLE void resetDefaults();
    Q_INVOKABLE void saveAndClose();
    Q_INVOKABLE void changeDevice();
    // The controller switcher: edit another active profile, or stop
    // remapping the edited one's controller (its profile stays stored, off)
    // and edit the next active one.
    Q_INVOKABLE void editProfile(const QString& profileID);
    Q_INVOKABLE void stopRemappingController(const QString& profileID);

    // Completion page: remapping runs afterwards, on the profile just set up,
    // also when it already ran (a launch starts it whenever a profile is
    // active, setup finished or not).
    Q_INVOKABLE void startRemapping();

    // Permissions guide.
    Q_INVOKABLE void openAccessibilitySettings();
    Q_INVOKABLE void openInputMonitoringSettings();

signals:
    // The setup window should close (the pages' dismiss action).
    void closeRequested();

private:
    [[nodiscard]] std::optional<DeviceProfile> profileToEdit() const;
    // Shows the stored state of the profile just edited.
    void showStored(const QString& profileID);

    AppState& appState_;
    ConfigStore& store_;
    HIDInterceptor& engine_;
    PermissionStatus& permissions_;
    StartAtLogin& startAtLogin_;
};

} // namespace bindwell
