// Any thread; no state of its own.
#pragma once

#include "model/ButtonMapping.h"
#include "model/DetectedHIDDevice.h"
#include "model/RemapAction.h"

#include <QVariantMap>
#include <optional>

namespace bindwell {

// Plain maps handed to QML: pages bind to these fields by name and never see
// the model types themselves.

// {displayName, symbolName, isNone, caseName}, and for the two keystroke
// kinds also {keyCode, command, shift, option, control}.
[[nodiscard]] QVariantMap actionMap(const RemapAction& action);
// The action back from a map made by actionMap; none when the map names no
// action (an unknown case, or a keystroke kind without its key code).
[[nodiscard]] std::optional<RemapAction> actionFromMap(const QVariantMap& map);
// {id, label, action, holdAction, doubleTapAction}, each an actionMap; an
// unset hold or double-tap action is undefined in QML.
[[nodiscard]] QVariantMap mappingMap(const ButtonMapping& mapping);
// Every field of the device plus displayName, detailText and symbolName.
[[nodiscard]] QVariantMap deviceMap(const DetectedHIDDevice& device);
// The device back from a map made by deviceMap; missing fields stay empty.
[[nodiscard]] DetectedHIDDevice deviceFromMap(const QVariantMap& map);

} // namespace bindwell
