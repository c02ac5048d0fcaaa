#include "ui/ActionMaps.h"

#include "ui/DeviceSymbol.h"

namespace bindwell {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant optionalActionMap(const std::optional<RemapAction>& action) {
    return action ? QVariant(actionMap(*action)) : QVariant();
}

std::string stdString(const QVariant& value) {
    return value.toString().toStdString();
}

} // namespace

QVariantMap actionMap(const RemapAction& action) {
    QVariantMap map{
        {"displayName", qs(action.displayName())},
        {"symbolName", qs(action.symbolName())},
        {"isNone", action.kind() == RemapAction::Kind::none},
        {"caseName", qs(RemapAction::caseName(action.kind()))},
    };
    if (action.hasKeystroke()) {
        const KeystrokeAction& keystroke = action.keystrokeAction();
        map.insert("keyCode", static_cast<qlonglong>(keystroke.keyCode));
        map.insert("command", keystroke.modifiers.command);
        map.insert("shift", keystroke.modifiers.shift);
        map.insert("option", keystroke.modifiers.option);
        map.insert("control", keystroke.modifiers.control);
    }
    return map;
}

std::optional<RemapAction> actionFromMap(const QVariantMap& map) {
    const auto kind = RemapAction::kindFromCaseName(stdString(map.value("caseName")));
    if (!kind) {
        return std::nullopt;
    }
    if (*kind != RemapAction::Kind::keystroke && *kind != RemapAction::Kind::holdKeystroke) {
        return RemapAction::payloadFree(*kind);
    }
    if (!map.contains("keyCode")) {
        return std::nullopt;
    }
    return RemapAction::withKeystroke(*kind,
                                      {.keyCode = map.value("keyCode").toLongLong(),
                                       .modifiers = {.command = map.value("command").toBool(),
                                                     .shift = map.value("shift").toBool(),
                                                     .option = map.value("option").toBool(),
                                                     .control = map.value("control").toBool()},
                                       .displayName = stdString(map.value("displayName"))});
}

QVariantMap mappingMap(const ButtonMapping& mapping) {
    return {
        {"id", qs(mapping.id)},
        {"label", qs(mapping.label)},
        {"action", actionMap(mapping.action)},
        {"holdAction", optionalActionMap(mapping.holdAction)},
        {"doubleTapAction", optionalActionMap(mapping.doubleTapAction)},
    };
}

QVariantMap deviceMap(const DetectedHIDDevice& device) {
    return {
        {"id", qs(device.id)},
        {"name", qs(device.name)},
        {"manufacturer", qs(device.manufacturer)},
        {"vendorID", static_cast<qlonglong>(device.vendorID)},
        {"productID", static_cast<qlonglong>(device.productID)},
        {"transport", qs(device.transport)},
        {"serialNumber", qs(device.serialNumber)},
        {"physicalPath", qs(device.physicalPath)},
        {"hasTwin", device.hasTwin},
        {"hasKeyboardKeys", device.hasKeyboardKeys},
        {"displayName", qs(device.displayName())},
        {"detailText", qs(device.detailText())},
        {"symbolName", qs(deviceSymbolName(device.name))},
    };
}

DetectedHIDDevice deviceFromMap(const QVariantMap& map) {
    DetectedHIDDevice device;
    device.id = stdString(map.value("id"));
    device.name = stdString(map.value("name"));
    device.manufacturer = stdString(map.value("manufacturer"));
    device.vendorID = map.value("vendorID").toLongLong();
    device.productID = map.value("productID").toLongLong();
    device.transport = stdString(map.value("transport"));
    device.serialNumber = stdString(map.value("serialNumber"));
    device.physicalPath = stdString(map.value("physicalPath"));
    device.hasTwin = map.value("hasTwin").toBool();
    device.hasKeyboardKeys = map.value("hasKeyboardKeys").toBool();
    return device;
}

} // namespace bindwell
