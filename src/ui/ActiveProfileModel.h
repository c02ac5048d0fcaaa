// Main thread only.
#pragma once

#include "model/ButtonMapping.h"
#include "model/DeviceProfile.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace bindwell {

class AppState;
class ConfigStore;

// AppState.activeProfile as QML sees it: the profile's header fields, its two
// gesture times, and its mappings (with their application rules and gesture
// actions) split into the remappable and the fixed list, each in profile order.
// Also every stored active profile, one per remapped controller, for the
// editor's controller switcher.
class ActiveProfileModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasProfile READ hasProfile NOTIFY changed)
    Q_PROPERTY(QString profileID READ profileID NOTIFY changed)
    Q_PROPERTY(QString deviceName READ deviceName NOTIFY changed)
    Q_PROPERTY(QVariantList remappable READ remappable NOTIFY changed)
    Q_PROPERTY(QVariantList fixed READ fixed NOTIFY changed)
    // The profile has no layout: its buttons are learned by pressing them
    // (LearnedButtons.h), and each one can be removed.
    Q_PROPERTY(bool learnsButtons READ learnsButtons NOTIFY changed)
    Q_PROPERTY(QVariantList controllers READ controllers NOTIFY changed)
    Q_PROPERTY(int controllerIndex READ controllerIndex NOTIFY changed)
    Q_PROPERTY(int holdMilliseconds READ holdMilliseconds NOTIFY changed)
    Q_PROPERTY(int doubleTapMilliseconds READ doubleTapMilliseconds NOTIFY changed)
    Q_PROPERTY(int shortestGestureMilliseconds READ shortestGestureMilliseconds CONSTANT)
    Q_PROPERTY(int longestGestureMilliseconds READ longestGestureMilliseconds CONSTANT)

public:
    ActiveProfileModel(AppState& appState, const ConfigStore& store, QObject* parent = nullptr);

    [[nodiscard]] bool hasProfile() const;
    [[nodiscard]] QString profileID() const;
    [[nodiscard]] QString deviceName() const;
    [[nodiscard]] QVariantList remappable() const { return mappings(true); }
    [[nodiscard]] QVariantList fixed() const { return mappings(false); }
    [[nodiscard]] bool learnsButtons() const;
    // {profileID, label} of each stored active profile, in file order; the
    // label adds the unit's serial number (or port) when the profile names one.
    [[nodiscard]] QVariantList controllers() const;
    // Where the edited profile is in controllers, or -1.
    [[nodiscard]] int controllerIndex() const;
    // The profile's times in force (the defaults while it chose none, or
    // without a profile), and the range the window offers for them.
    [[nodiscard]] int holdMilliseconds() const { return gestureMilliseconds(Gesture::hold); }
    [[nodiscard]] int doubleTapMilliseconds() const {
        return gestureMilliseconds(Gesture::doubleTap);
    }
    [[nodiscard]] static int shortestGestureMilliseconds() {
        return DeviceProfile::kShortestGestureMilliseconds;
    }
    [[nodiscard]] static int longestGestureMilliseconds() {
        return DeviceProfile::kLongestGestureMilliseconds;
    }

signals:
    void changed();

private:
    [[nodiscard]] QVariantList mappings(bool remappable) const;
    [[nodiscard]] int gestureMilliseconds(Gesture gesture) const;
    // Adds the mapping's application rules: appOverrides, each {match,
    // appName, action}.
    [[nodiscard]] QVariantMap withRules(QVariantMap map, const ButtonMapping& mapping) const;

    AppState& appState_;
    const ConfigStore& store_;
};

} // namespace bindwell
