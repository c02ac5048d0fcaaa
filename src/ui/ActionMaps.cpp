#include "ui/ActionMaps.h"

#include "ui/DeviceSymbol.h"

namespace bindwell {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string stdString(const QVariant& value) {
    return value.toString().toStdString();
}

} // namespace

QVariantMap actionMap(const RemapAction& action) {
    return {
        {"displayName", qs(action.displayName())},
        {"symbolName", qs(action.symbolName())},
        {"isNone", action.kind() == RemapAction::Kind::none},
    };
}

QVariantMap mappingMap(const ButtonMapping& mapping) {
    return {
        {"id", qs(mapping.id)},
        {"label", qs(mapping.label)},
        {"action", actionMap(mapping.action)},
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
    return device;
}

} // namespace bindwell
