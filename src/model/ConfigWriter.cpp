#include "model/ConfigFormat.h"

#include <nlohmann/json.hpp>

namespace bindwell {
namespace {

// Keys keep field order, so a person who opens the file reads it as the
// types are declared.
using Json = nlohmann::ordered_json;

Json toJson(const KeyModifiers& modifiers) {
    return {{"command", modifiers.command},
            {"shift", modifiers.shift},
            {"option", modifiers.option},
            {"control", modifiers.control}};
}

Json toJson(const KeystrokeAction& keystroke) {
    return {{"keyCode", keystroke.keyCode},
            {"modifiers", toJson(keystroke.modifiers)},
            {"displayName", keystroke.displayName}};
}

Json toJson(const RemapAction& action) {
    Json payload = Json::object();
    if (action.hasKeystroke()) {
        payload["_0"] = toJson(action.keystrokeAction());
    }
    Json json = Json::object();
    json[std::string(RemapAction::caseName(action.kind()))] = std::move(payload);
    return json;
}

Json toJson(const HIDButtonSource& source) {
    Json json{{"usagePage", source.usagePage}, {"usageID", source.usageID}};
    if (source.matchValue) {
        json["matchValue"] = *source.matchValue;
    }
    if (source.modifiers != 0) {
        json["modifiers"] = modifierUsages(source.modifiers);
    }
    return json;
}

Json toJson(const ButtonMapping& mapping) {
    Json json = {{"id", mapping.id},
                 {"source", toJson(mapping.source)},
                 {"action", toJson(mapping.action)},
                 {"label", mapping.label},
                 {"isRemappable", mapping.isRemappable}};
    // Like the rules below, written only when set: builds without gestures
    // ignore these keys.
    if (mapping.holdAction) {
        json["holdAction"] = toJson(*mapping.holdAction);
    }
    if (mapping.doubleTapAction) {
        json["doubleTapAction"] = toJson(*mapping.doubleTapAction);
    }
    // Only when there are any: a mapping without them is stored as builds
    // without application rules store it, and those builds ignore the key.
    if (!mapping.appOverrides.empty()) {
        Json rules = Json::array();
        for (const AppOverride& rule : mapping.appOverrides) {
            rules.push_back({{"match", rule.match}, {"action", toJson(rule.action)}});
        }
        json["appOverrides"] = std::move(rules);
    }
    return json;
}

Json toJson(const DeviceProfile& profile) {
    Json mappings = Json::array();
    for (const ButtonMapping& mapping : profile.buttonMappings) {
        mappings.push_back(toJson(mapping));
    }
    Json json = {{"id", profile.id},
                 {"deviceName", profile.deviceName},
                 {"vendorID", profile.vendorID},
                 {"productID", profile.productID},
                 {"buttonMappings", std::move(mappings)},
                 {"isActive", profile.isActive}};
    // Written only when set, so a profile for a whole model is stored exactly
    // as builds without unit names store it.
    if (!profile.serialNumber.empty()) {
        json["serialNumber"] = profile.serialNumber;
    }
    if (!profile.physicalPath.empty()) {
        json["physicalPath"] = profile.physicalPath;
    }
    if (profile.holdMilliseconds) {
        json["holdMilliseconds"] = *profile.holdMilliseconds;
    }
    if (profile.doubleTapMilliseconds) {
        json["doubleTapMilliseconds"] = *profile.doubleTapMilliseconds;
    }
    return json;
}

} // namespace

std::string writeConfig(const std::vector<DeviceProfile>& profiles) {
    Json list = Json::array();
    for (const DeviceProfile& profile : profiles) {
        list.push_back(toJson(profile));
    }
    return list.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace bindwell
