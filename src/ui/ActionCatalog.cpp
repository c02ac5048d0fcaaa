#include "ui/ActionCatalog.h"

#include "model/ShortcutCatalogue.h"
#include "ui/ActionMaps.h"

#include <vector>

namespace bindwell {
namespace {

const std::vector<RemapAction>& fixedActions() {
    static const std::vector<RemapAction> actions = [] {
        std::vector<RemapAction> list;
        for (RemapAction::Kind kind : RemapAction::payloadFreeKinds()) {
            list.push_back(RemapAction::payloadFree(kind));
        }
        return list;
    }();
    return actions;
}

QVariantMap groupMap(const QString& title, const std::vector<RemapAction>& actions) {
    QVariantList rows;
    for (const RemapAction& action : actions) {
        rows.append(actionMap(action));
    }
    return {{"title", title}, {"actions", rows}};
}

const RemapAction* findIn(const std::vector<RemapAction>& actions, const std::string& name) {
    for (const RemapAction& action : actions) {
        if (action.displayName() == name) {
            return &action;
        }
    }
    return nullptr;
}

} // namespace

QVariantList ActionCatalog::groups() const {
    QVariantList groups{groupMap(QStringLiteral("Actions"), fixedActions())};
    for (const PresetGroup& group : presetGroups()) {
        groups.append(groupMap(
            QString::fromUtf8(group.title.data(), static_cast<qsizetype>(group.title.size())),
            group.presets));
    }
    return groups;
}

std::optional<RemapAction> ActionCatalog::actionNamed(const std::string& displayName) {
    if (const RemapAction* action = findIn(fixedActions(), displayName)) {
        return *action;
    }
    for (const PresetGroup& group : presetGroups()) {
        if (const RemapAction* action = findIn(group.presets, displayName)) {
            return *action;
        }
    }
    return std::nullopt;
}

} // namespace bindwell
