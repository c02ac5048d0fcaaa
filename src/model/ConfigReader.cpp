// The reader parses the whole text into a document first and then walks it,
// moving strings out instead of copying them. A streaming (SAX) reader would
// skip the document, but it meets keys in file order, so an error could not
// name its profile by id when "id" comes later in the object; the document
// walk keeps error descriptions stable and costs about 1.2 times a bare parse
// of the same text (bench/ConfigFormatBenchmark.cpp).
#include "model/ConfigDocument.h"
#include "model/ConfigFields.h"
#include "model/ConfigFormat.h"

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <utility>

namespace bindwell {
namespace {

constexpr int64_t kLargestUsbID = 0xffff;

using config::Fields;
using config::Json;
using config::jsonQuoted;
using config::Place;
using config::ReadError;
using config::typeName;

std::string stepText(size_t index) {
    return std::to_string(index);
}

std::string stepText(const std::string& key) {
    return key;
}

KeystrokeAction readKeystroke(const Fields& keystroke) {
    const Fields modifiers = keystroke.object("modifiers");
    return {
        .keyCode = keystroke.integer("keyCode"),
        .modifiers = {.command = modifiers.boolean("command"),
                      .shift = modifiers.boolean("shift"),
                      .option = modifiers.boolean("option"),
                      .control = modifiers.boolean("control")},
        .displayName = keystroke.takeString("displayName"),
    };
}

RemapAction readAction(const Fields& action) {
    std::optional<RemapAction::Kind> kind;
    int caseCount = 0;
    for (auto entry = action.json().begin(); entry != action.json().end(); ++entry) {
        if (const auto named = RemapAction::kindFromCaseName(entry.key())) {
            kind = named;
            ++caseCount;
        }
    }
    if (caseCount != 1) {
        action.failCaseCount();
    }
    const Fields payload = action.object(RemapAction::caseName(*kind));
    if (*kind == RemapAction::Kind::keystroke || *kind == RemapAction::Kind::holdKeystroke) {
        return RemapAction::withKeystroke(*kind, readKeystroke(payload.object("_0")));
    }
    return RemapAction::payloadFree(*kind);
}

// Absent or null: the mapping has no such gesture.
std::optional<RemapAction> readOptionalAction(const Fields& mapping, std::string_view key) {
    return mapping.has(key) ? std::optional(readAction(mapping.object(key))) : std::nullopt;
}

// "modifiers": the keyboard usages of the modifier keys, any order, each once.
uint8_t readSourceModifiers(const Fields& source, int64_t usagePage) {
    const auto found = source.json().find("modifiers");
    if (found == source.json().end() || found->is_null()) {
        return 0;
    }
    if (usagePage != kKeyboardUsagePage) {
        source.fail("modifiers", "is only for keys of usage page 7 (keyboard)");
    }
    uint8_t modifiers = 0;
    for (const Json& usage : source.array("modifiers")) {
        const std::optional<uint8_t> bit =
            usage.is_number_integer() ? modifierBit(usage.get<int64_t>()) : std::nullopt;
        if (!bit || (modifiers & *bit) != 0) {
            source.fail("modifiers", "must list modifier keys from 224 (Left Control) to 231 "
                                     "(Right GUI), each once (found " +
                                         usage.dump() + ")");
        }
        modifiers |= *bit;
    }
    return modifiers;
}

HIDButtonSource readSource(const Fields& source) {
    const int64_t usagePage = source.integer("usagePage");
    return {
        .usagePage = usagePage,
        .usageID = source.integer("usageID"),
        .matchValue = source.optionalInteger("matchValue"),
        .modifiers = readSourceModifiers(source, usagePage),
    };
}

ButtonMapping readMapping(const Fields& mapping) {
    ButtonMapping result;
    result.id = mapping.takeString("id");
    result.source = readSource(mapping.object("source"));
    result.action = readAction(mapping.object("action"));
    result.label = mapping.takeString("label");
    result.isRemappable = mapping.boolean("isRemappable");
    std::vector<std::string> keys;
    for (const Fields& rule : mapping.optionalObjects("appOverrides", keys)) {
        result.appOverrides.push_back(
            {.match = rule.takeString("match"), .action = readAction(rule.object("action"))});
    }
    result.holdAction = readOptionalAction(mapping, "holdAction");
    result.doubleTapAction = readOptionalAction(mapping, "doubleTapAction");
    return result;
}

// Edits find profiles and mappings by id: a second one of an id could be
// neither shown nor changed. `items` ends with the one just read.
template <class Item>
void failOnRepeatedID(const std::vector<Item>& items, const Place& place, std::string_view what) {
    const std::string& id = items.back().id;
    const auto first = std::find_if(items.begin(), items.end() - 1,
                                    [&id](const Item& item) { return item.id == id; });
    if (first != items.end() - 1) {
        place.fail("id " + jsonQuoted(id) + " is already the id of " + std::string(what) + " " +
                   std::to_string(first - items.begin()));
    }
}

void requireObject(const Json& value, const Place& place) {
    if (!value.is_object()) {
        place.fail("must be an object (found " + std::string(typeName(value)) + ")");
    }
}

DeviceProfile readProfile(Json& json, size_t index) {
    Place place{.profile = index, .profileID = nullptr, .mapping = std::nullopt};
    requireObject(json, place);
    DeviceProfile profile;
    const Fields fields(json, place);
    profile.id = fields.takeString("id");
    place.profileID = &profile.id;
    profile.deviceName = fields.takeString("deviceName");
    profile.vendorID = fields.integerWithin("vendorID", 0, kLargestUsbID);
    profile.productID = fields.integerWithin("productID", 0, kLargestUsbID);
    profile.serialNumber = fields.takeOptionalString("serialNumber");
    profile.physicalPath = fields.takeOptionalString("physicalPath");
    Json& mappings = fields.array("buttonMappings");
    profile.buttonMappings.reserve(mappings.size());
    for (size_t i = 0; i < mappings.size(); ++i) {
        place.mapping = i;
        requireObject(mappings[i], place);
        profile.buttonMappings.push_back(readMapping(Fields(mappings[i], place)));
        failOnRepeatedID(profile.buttonMappings, place, "mapping");
    }
    place.mapping.reset();
    profile.isActive = fields.boolean("isActive");
    profile.holdMilliseconds = fields.optionalIntegerWithin(
        "holdMilliseconds", DeviceProfile::kShortestGestureMilliseconds,
        DeviceProfile::kLongestGestureMilliseconds);
    profile.doubleTapMilliseconds = fields.optionalIntegerWithin(
        "doubleTapMilliseconds", DeviceProfile::kShortestGestureMilliseconds,
        DeviceProfile::kLongestGestureMilliseconds);
    return profile;
}

// "source.usageID": the steps of `path` from `from` on.
std::string joinedSteps(const JsonPath& path, size_t from) {
    std::string text;
    for (size_t i = from; i < path.size(); ++i) {
        text += (text.empty() ? "" : ".") +
                std::visit([](const auto& step) { return stepText(step); }, path[i]);
    }
    return text;
}

// A place in the document named as the reader's own errors name it.
std::string describePath(const Json& document, const JsonPath& path) {
    if (path.empty()) {
        return "the top level";
    }
    if (!std::holds_alternative<size_t>(path[0])) {
        return "key \"" + joinedSteps(path, 0) + "\"";
    }
    Place place{.profile = std::get<size_t>(path[0]), .profileID = nullptr, .mapping = {}};
    if (document.is_array() && place.profile < document.size()) {
        const Json& profile = document[place.profile];
        if (const auto id = profile.find("id");
            profile.is_object() && id != profile.end() && id->is_string()) {
            place.profileID = &id->get_ref<const std::string&>();
        }
    }
    size_t next = 1;
    if (path.size() > 2 && path[1] == JsonPath::value_type("buttonMappings") &&
        std::holds_alternative<size_t>(path[2])) {
        place.mapping = std::get<size_t>(path[2]);
        next = 3;
    }
    const std::string key = joinedSteps(path, next);
    return key.empty() ? place.describe() : place.describe() + ", key \"" + key + "\"";
}

std::vector<std::string> repeatedKeyWarnings(const ConfigDocument& document) {
    std::vector<std::string> warnings;
    for (const JsonPath& path : document.repeatedKeys) {
        warnings.push_back(describePath(document.json, path) +
                           " appears more than once; the last one counts");
    }
    return warnings;
}

} // namespace

ConfigReadResult readConfig(std::string_view text) {
    ConfigReadResult result;
    ConfigDocument document = parseConfigDocument(text);
    if (!document.error.empty()) {
        result.error =
            document.errorPath.empty()
                ? document.error
                : describePath(document.json, document.errorPath) + ": " + document.error;
        return result;
    }
    result.warnings = repeatedKeyWarnings(document);
    Json& profiles = document.json;
    if (!profiles.is_array()) {
        result.error = "the top level must be an array of profiles (found " +
                       std::string(typeName(profiles)) + ")";
        return result;
    }
    try {
        result.profiles.reserve(profiles.size());
        for (size_t i = 0; i < profiles.size(); ++i) {
            result.profiles.push_back(readProfile(profiles[i], i));
            failOnRepeatedID(result.profiles,
                             Place{.profile = i,
                                   .profileID = &result.profiles.back().id,
                                   .mapping = std::nullopt},
                             "profile");
        }
    } catch (const ReadError& error) {
        result.error = error.description;
        result.profiles.clear();
    }
    return result;
}

} // namespace bindwell
