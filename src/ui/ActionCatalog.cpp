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

} // namespace

QVariantList ActionCatalog::groups() const {
    const auto title = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    QVariantList groups{groupMap(title(kFixedActionsTitle), fixedActions())};
    for (const PresetGroup& group : presetGroups()) {
        groups.append(groupMap(title(group.title), group.presets));
    }
    return groups;
}

} // namespace bindwell
