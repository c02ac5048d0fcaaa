// The reader parses the whole text into a document first and then walks it,
// moving strings out instead of copying them. A streaming (SAX) reader would
// skip the document, but it meets keys in file order, so an error could not
// name its profile by id when "id" comes later in the object; the document
// walk keeps error descriptions stable and stays within a small factor of a
// bare parse (see bench/ConfigFormatBenchmark.cpp).
#include "model/ConfigFormat.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace bindwell {
namespace {

using Json = nlohmann::json;

constexpr uint64_t kLargestInteger = std::numeric_limits<int64_t>::max();

struct ReadError {
    std::string description;
};

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

// The object being read and where it sits in the file ("profile 0 ("id"),
// mapping 3" and a key path such as "source."), so that every error names a
// place a person can find.
class Fields {
public:
    Fields(Json& object, std::string place, std::string prefix = {})
        : object_(object), place_(std::move(place)), prefix_(std::move(prefix)) {}

    [[nodiscard]] Json& json() const { return object_; }

    [[nodiscard]] std::string takeString(const char* key) const {
        return std::move(value(key, Json::value_t::string, "a string").get_ref<std::string&>());
    }

    [[nodiscard]] bool boolean(const char* key) const {
        return value(key, Json::value_t::boolean, "true or false").get<bool>();
    }

    [[nodiscard]] int64_t integer(const char* key) const { return toInteger(key, member(key)); }

    [[nodiscard]] std::optional<int64_t> optionalInteger(const char* key) const {
        const auto found = object_.find(key);
        if (found == object_.end() || found->is_null()) {
            return std::nullopt;
        }
        return toInteger(key, *found);
    }

    [[nodiscard]] Json& array(const char* key) const {
        return value(key, Json::value_t::array, "an array");
    }

    [[nodiscard]] Fields object(const std::string& key) const {
        return {value(key, Json::value_t::object, "an object"), place_, prefix_ + key + "."};
    }

    [[noreturn]] void fail(const std::string& key, std::string_view problem) const {
        throw ReadError{place_ + ": key \"" + prefix_ + key + "\" " + std::string(problem)};
    }

    // The one message whose wording callers and users already know.
    [[noreturn]] void failCaseCount() const {
        std::string path = prefix_.substr(0, prefix_.size() - 1);
        throw ReadError{place_ + ", key \"" + path +
                        "\": Invalid number of keys found, expected one."};
    }

private:
    [[nodiscard]] Json& member(const std::string& key) const {
        const auto found = object_.find(key);
        if (found == object_.end()) {
            fail(key, "is missing");
        }
        return *found;
    }

    [[nodiscard]] Json& value(const std::string& key, Json::value_t type,
                              std::string_view expected) const {
        Json& found = member(key);
        if (found.type() != type) {
            failType(key, expected, found);
        }
        return found;
    }

    [[nodiscard]] int64_t toInteger(const std::string& key, const Json& found) const {
        if (found.is_number_unsigned() && found.get<uint64_t>() <= kLargestInteger) {
            return static_cast<int64_t>(found.get<uint64_t>());
        }
        if (found.type() != Json::value_t::number_integer) {
            failType(key, "an integer", found);
        }
        return found.get<int64_t>();
    }

    [[noreturn]] void failType(const std::string& key, std::string_view expected,
                               const Json& found) const {
        fail(key,
             "must be " + std::string(expected) + " (found " + std::string(typeName(found)) + ")");
    }

    Json& object_;
    std::string place_;
    std::string prefix_;
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
    const Fields payload = action.object(std::string(RemapAction::caseName(*kind)));
    if (*kind == RemapAction::Kind::keystroke) {
        return RemapAction::keystroke(readKeystroke(payload.object("_0")));
    }
    return RemapAction::payloadFree(*kind);
}

HIDButtonSource readSource(const Fields& source) {
    return {
        .usagePage = source.integer("usagePage"),
        .usageID = source.integer("usageID"),
        .matchValue = source.optionalInteger("matchValue"),
    };
}

ButtonMapping readMapping(const Fields& mapping) {
    ButtonMapping result;
    result.id = mapping.takeString("id");
    result.source = readSource(mapping.object("source"));
    result.action = readAction(mapping.object("action"));
    result.label = mapping.takeString("label");
    result.isRemappable = mapping.boolean("isRemappable");
    return result;
}

void requireObject(const Json& value, const std::string& place) {
    if (!value.is_object()) {
        throw ReadError{place + ": must be an object (found " + std::string(typeName(value)) + ")"};
    }
}

DeviceProfile readProfile(Json& json, size_t index) {
    std::string place = "profile " + std::to_string(index);
    requireObject(json, place);
    DeviceProfile profile;
    profile.id = Fields(json, place).takeString("id");
    place += " (" + jsonQuoted(profile.id) + ")";
    const Fields fields(json, place);
    profile.deviceName = fields.takeString("deviceName");
    profile.vendorID = fields.integer("vendorID");
    profile.productID = fields.integer("productID");
    Json& mappings = fields.array("buttonMappings");
    profile.buttonMappings.reserve(mappings.size());
    for (size_t i = 0; i < mappings.size(); ++i) {
        const std::string mappingPlace = place + ", mapping " + std::to_string(i);
        requireObject(mappings[i], mappingPlace);
        profile.buttonMappings.push_back(readMapping(Fields(mappings[i], mappingPlace)));
    }
    profile.isActive = fields.boolean("isActive");
    return profile;
}

// The library's messages start with a tag such as
// "[json.exception.parse_error.101] "; the rest already names line and column.
std::string withoutTag(const Json::exception& error) {
    std::string_view text = error.what();
    if (const auto end = text.find("] "); text.starts_with('[') && end != std::string_view::npos) {
        text.remove_prefix(end + 2);
    }
    return std::string(text);
}

} // namespace

ConfigReadResult readConfig(std::string_view text) {
    ConfigReadResult result;
    try {
        Json document = Json::parse(text);
        if (!document.is_array()) {
            result.error = "the top level must be an array of profiles (found " +
                           std::string(typeName(document)) + ")";
            return result;
        }
        result.profiles.reserve(document.size());
        for (size_t i = 0; i < document.size(); ++i) {
            result.profiles.push_back(readProfile(document[i], i));
        }
    } catch (const Json::parse_error& error) {
        result.error = withoutTag(error) + " (byte " + std::to_string(error.byte) + ")";
    } catch (const Json::exception& error) {
        // A number too large even for a double ends the parse this way.
        result.error = withoutTag(error);
    } catch (const ReadError& error) {
        result.error = error.description;
    }
    if (!result.ok()) {
        result.profiles.clear();
    }
    return result;
}

} // namespace bindwell
