// The reader parses the whole text into a document first and then walks it,
// moving strings out instead of copying them. A streaming (SAX) reader would
// skip the document, but it meets keys in file order, so an error could not
// name its profile by id when "id" comes later in the object; the document
// walk keeps error descriptions stable and costs about 1.2 times a bare parse
// of the same text (bench/ConfigFormatBenchmark.cpp).
#include "model/ConfigDocument.h"
#include "model/ConfigFormat.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace bindwell {
namespace {

using Json = nlohmann::json;

constexpr uint64_t kLargestInteger = std::numeric_limits<int64_t>::max();
constexpr int64_t kLargestUsbID = 0xffff;

struct ReadError {
    std::string description;
};

std::string stepText(size_t index) {
    return std::to_string(index);
}

std::string stepText(const std::string& key) {
    return key;
}

std::string jsonQuoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string_view typeName(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "a boolean";
    case Json::value_t::string:
        return "a string";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::object:
        return "an object";
    case Json::value_t::number_unsigned:
        return value.get<uint64_t>() > kLargestInteger ? "an out-of-range number" : "an integer";
    case Json::value_t::number_float:
        return "a fractional or out-of-range number";
    default:
        return "an integer";
    }
}

// Where a value sits: profile index and id, mapping index. The text is built
// only when an error needs it, so reading a valid file allocates nothing here.
struct Place {
    size_t profile = 0;
    const std::string* profileID = nullptr;
    std::optional<size_t> mapping;

    [[nodiscard]] std::string describe() const {
        std::string text = "profile " + std::to_string(profile);
        if (profileID != nullptr) {
            text += " (" + jsonQuoted(*profileID) + ")";
        }
        if (mapping) {
            text += ", mapping " + std::to_string(*mapping);
        }
        return text;
    }

    [[noreturn]] void fail(std::string_view problem) const {
        throw ReadError{describe() + ": " + std::string(problem)};
    }
};

// One object being read. Nested objects keep a link to their parent and the
// key they sit under, so an error can name the path ("source.usageID").
class Fields {
public:
    Fields(Json& object, const Place& place) : object_(object), place_(place) {}

    [[nodiscard]] Json& json() const { return object_; }

    [[nodiscard]] std::string takeString(std::string_view key) const {
        return std::move(value(key, Json::value_t::string, "a string").get_ref<std::string&>());
    }

    // Absent or null reads as empty, for keys older files do not have.
    [[nodiscard]] std::string takeOptionalString(std::string_view key) const {
        return has(key) ? takeString(key) : std::string();
    }

    [[nodiscard]] bool boolean(std::string_view key) const {
        return value(key, Json::value_t::boolean, "true or false").get<bool>();
    }

    [[nodiscard]] int64_t integer(std::string_view key) const {
        return toInteger(key, member(key));
    }

    // USB vendor and product ids: the grant passes them on as four hex digits.
    [[nodiscard]] int64_t integerWithin(std::string_view key, int64_t low, int64_t high) const {
        return within(key, integer(key), low, high);
    }

    [[nodiscard]] std::optional<int64_t> optionalIntegerWithin(std::string_view key, int64_t low,
                                                               int64_t high) const {
        const std::optional<int64_t> number = optionalInteger(key);
        return number ? std::optional(within(key, *number, low, high)) : std::nullopt;
    }

    [[nodiscard]] std::optional<int64_t> optionalInteger(std::string_view key) const {
        if (!has(key)) {
            return std::nullopt;
        }
        return toInteger(key, member(key));
    }

    [[nodiscard]] bool has(std::string_view key) const {
        const auto found = object_.find(key);
        return found != object_.end() && !found->is_null();
    }

    [[nodiscard]] Json& array(std::string_view key) const {
        return value(key, Json::value_t::array, "an array");
    }

    // `key` must outlive the result: callers pass literals and case names.
    [[nodiscard]] Fields object(std::string_view key) const {
        return {value(key, Json::value_t::object, "an object"), place_, this, key};
    }

    // The members of an optional array of objects; `keys` holds their path
    // names ("appOverrides.0") for as long as the results are read.
    [[nodiscard]] std::vector<Fields> optionalObjects(std::string_view key,
                                                      std::vector<std::string>& keys) const {
        std::vector<Fields> members;
        if (!has(key)) {
            return members;
        }
        Json& list = array(key);
        keys.reserve(list.size());
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string& name = keys.emplace_back(std::string(key) + "." + std::to_string(i));
            if (!list[i].is_object()) {
                failType(name, "an object", list[i]);
            }
            members.push_back({list[i], place_, this, name});
        }
        return members;
    }

    [[noreturn]] void fail(std::string_view key, std::string_view problem) const {
        place_.fail("key \"" + path(key) + "\" " + std::string(problem));
    }

    // The one message whose wording callers and users already know.
    [[noreturn]] void failCaseCount() const {
        throw ReadError{place_.describe() + ", key \"" + path({}) +
                        "\": Invalid number of keys found, expected one."};
    }

private:
    [[nodiscard]] int64_t within(std::string_view key, int64_t number, int64_t low,
                                 int64_t high) const {
        if (number < low || number > high) {
            fail(key, "must be between " + std::to_string(low) + " and " + std::to_string(high) +
                          " (found " + std::to_string(number) + ")");
        }
        return number;
    }

    Fields(Json& object, const Place& place, const Fields* parent, std::string_view key)
        : object_(object), place_(place), parent_(parent), key_(key) {}

    [[nodiscard]] std::string path(std::string_view key) const {
        std::string text(key);
        for (const Fields* at = this; at->parent_ != nullptr; at = at->parent_) {
            text = std::string(at->key_) + (text.empty() ? "" : ".") + text;
        }
        return text;
    }

    [[nodiscard]] Json& member(std::string_view key) const {
        const auto found = object_.find(key);
        if (found == object_.end()) {
            fail(key, "is missing");
        }
        return *found;
    }

    [[nodiscard]] Json& value(std::string_view key, Json::value_t type,
                              std::string_view expected) const {
        Json& found = member(key);
        if (found.type() != type) {
            failType(key, expected, found);
        }
        return found;
    }

    [[nodiscard]] int64_t toInteger(std::string_view key, const Json& found) const {
        if (found.is_number_unsigned() && found.get<uint64_t>() <= kLargestInteger) {
            return static_cast<int64_t>(found.get<uint64_t>());
        }
        if (found.type() != Json::value_t::number_integer) {
            failType(key, "an integer", found);
        }
        return found.get<int64_t>();
    }

    [[noreturn]] void failType(std::string_view key, std::string_view expected,
                               const Json& found) const {
        fail(key,
             "must be " + std::string(expected) + " (found " + std::string(typeName(found)) + ")");
    }

    Json& object_;
    const Place& place_;
    const Fields* parent_ = nullptr;
    std::string_view key_;
};

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
