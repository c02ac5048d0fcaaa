#include "ui/ActiveProfileModel.h"

#include "model/ConfigStore.h"
#include "model/LearnedButtons.h"
#include "state/AppState.h"
#include "ui/ActionMaps.h"

namespace bindwell {
namespace {

QString controllerLabel(const DeviceProfile& profile) {
    const std::string& unit =
        profile.serialNumber.empty() ? profile.physicalPath : profile.serialNumber;
    QString label = QString::fromStdString(profile.deviceName);
    if (!unit.empty()) {
        label += QStringLiteral(" (") + QString::fromStdString(unit) + u')';
    }
    return label;
}

} // namespace

ActiveProfileModel::ActiveProfileModel(AppState& appState, const ConfigStore& store,
                                       QObject* parent)
    : QObject(parent), appState_(appState), store_(store) {
    connect(&appState_, &AppState::activeProfileChanged, this, &ActiveProfileModel::changed);
    connect(&store_, &ConfigStore::activeProfilesChanged, this, &ActiveProfileModel::changed);
    // A rule's application gets its desktop name once it has been seen.
    connect(&appState_.recentApps(), &RecentApps::changed, this, &ActiveProfileModel::changed);
}

QVariantList ActiveProfileModel::controllers() const {
    QVariantList list;
    for (const DeviceProfile& profile : store_.activeProfiles()) {
        list.append(QVariantMap{{"profileID", QString::fromStdString(profile.id)},
                                {"label", controllerLabel(profile)}});
    }
    return list;
}

int ActiveProfileModel::controllerIndex() const {
    const std::vector<DeviceProfile> active = store_.activeProfiles();
    const auto& shown = appState_.activeProfile();
    for (size_t i = 0; shown && i < active.size(); ++i) {
        if (active[i].id == shown->id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ActiveProfileModel::hasProfile() const {
    return appState_.activeProfile().has_value();
}

QString ActiveProfileModel::profileID() const {
    const auto& profile = appState_.activeProfile();
    return profile ? QString::fromStdString(profile->id) : QString();
}

bool ActiveProfileModel::learnsButtons() const {
    const auto& profile = appState_.activeProfile();
    return profile && bindwell::learnsButtons(*profile);
}

QString ActiveProfileModel::deviceName() const {
    const auto& profile = appState_.activeProfile();
    return profile ? QString::fromStdString(profile->deviceName) : QString();
}

int ActiveProfileModel::gestureMilliseconds(Gesture gesture) const {
    const auto& profile = appState_.activeProfile();
    return static_cast<int>(profile ? profile->gestureMilliseconds(gesture)
                                    : DeviceProfile{}.gestureMilliseconds(gesture));
}

QVariantMap ActiveProfileModel::withRules(QVariantMap map, const ButtonMapping& mapping) const {
    QVariantList rules;
    for (const AppOverride& rule : mapping.appOverrides) {
        rules.append(QVariantMap{{"match", QString::fromStdString(rule.match)},
                                 {"appName", appState_.recentApps().nameForMatch(rule.match)},
                                 {"action", actionMap(rule.action)}});
    }
    map.insert(QStringLiteral("appOverrides"), rules);
    return map;
}

QVariantList ActiveProfileModel::mappings(bool remappable) const {
    QVariantList list;
    if (const auto& profile = appState_.activeProfile()) {
        for (const ButtonMapping& mapping : profile->buttonMappings) {
            if (mapping.isRemappable == remappable) {
                list.append(withRules(mappingMap(mapping), mapping));
            }
        }
    }
    return list;
}

} // namespace bindwell
