#include "ui/ActiveProfileModel.h"

#include "state/AppState.h"
#include "ui/ActionMaps.h"

namespace bindwell {

ActiveProfileModel::ActiveProfileModel(AppState& appState, QObject* parent)
    : QObject(parent), appState_(appState) {
    connect(&appState_, &AppState::activeProfileChanged, this, &ActiveProfileModel::changed);
}

bool ActiveProfileModel::hasProfile() const {
    return appState_.activeProfile().has_value();
}

QString ActiveProfileModel::profileID() const {
    const auto& profile = appState_.activeProfile();
    return profile ? QString::fromStdString(profile->id) : QString();
}

QString ActiveProfileModel::deviceName() const {
    const auto& profile = appState_.activeProfile();
    return profile ? QString::fromStdString(profile->deviceName) : QString();
}

QVariantList ActiveProfileModel::mappings(bool remappable) const {
    QVariantList list;
    if (const auto& profile = appState_.activeProfile()) {
        for (const ButtonMapping& mapping : profile->buttonMappings) {
            if (mapping.isRemappable == remappable) {
                list.append(mappingMap(mapping));
            }
        }
    }
    return list;
}

} // namespace bindwell
