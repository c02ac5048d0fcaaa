#include "model/ConfigFields.h"

#include <limits>
#include <utility>

namespace bindwell::config {
namespace {

constexpr uint64_t kLargestInteger = std::numeric_limits<int64_t>::max();

} // namespace

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

std::string Place::describe() const {
    std::string text = "profile " + std::to_string(profile);
    if (profileID != nullptr) {
        text += " (" + jsonQuoted(*profileID) + ")";
    }
    if (mapping) {
        text += ", mapping " + std::to_string(*mapping);
    }
    return text;
}

void Place::fail(std::string_view problem) const {
    throw ReadError{describe() + ": " + std::string(problem)};
}

std::string Fields::takeString(std::string_view key) const {
    return std::move(value(key, Json::value_t::string, "a string").get_ref<std::string&>());
}

std::string Fields::takeOptionalString(std::string_view key) const {
    return has(key) ? takeString(key) : std::string();
}

bool Fields::boolean(std::string_view key) const {
    return value(key, Json::value_t::boolean, "true or false").get<bool>();
}

int64_t Fields::integer(std::string_view key) const {
    return toInteger(key, member(key));
}

std::optional<int64_t> Fields::optionalInteger(std::string_view key) const {
    if (!has(key)) {
        return std::nullopt;
    }
    return toInteger(key, member(key));
}

int64_t Fields::integerWithin(std::string_view key, int64_t low, int64_t high) const {
    return within(key, integer(key), low, high);
}

std::optional<int64_t> Fields::optionalIntegerWithin(std::string_view key, int64_t low,
                                                     int64_t high) const {
    const std::optional<int64_t> number = optionalInteger(key);
    return number ? std::optional(within(key, *number, low, high)) : std::nullopt;
}

bool Fields::has(std::string_view key) const {
    const auto found = object_.find(key);
    return found != object_.end() && !found->is_null();
}

Json& Fields::array(std::string_view key) const {
    return value(key, Json::value_t::array, "an array");
}

Fields Fields::object(std::string_view key) const {
    return {value(key, Json::value_t::object, "an object"), place_, this, key};
}

std::vector<Fields> Fields::optionalObjects(std::string_view key,
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

void Fields::fail(std::string_view key, std::string_view problem) const {
    place_.fail("key \"" + path(key) + "\" " + std::string(problem));
}

void Fields::failCaseCount() const {
    throw ReadError{place_.describe() + ", key \"" + path({}) +
                    "\": Invalid number of keys found, expected one."};
}

int64_t Fields::within(std::string_view key, int64_t number, int64_t low, int64_t high) const {
    if (number < low || number > high) {
        fail(key, "must be between " + std::to_string(low) + " and " + std::to_string(high) +
                      " (found " + std::to_string(number) + ")");
    }
    return number;
}

std::string Fields::path(std::string_view key) const {
    std::string text(key);
    for (const Fields* at = this; at->parent_ != nullptr; at = at->parent_) {
        text = std::string(at->key_) + (text.empty() ? "" : ".") + text;
    }
    return text;
}

Json& Fields::member(std::string_view key) const {
    const auto found = object_.find(key);
    if (found == object_.end()) {
        fail(key, "is missing");
    }
    return *found;
}

Json& Fields::value(std::string_view key, Json::value_t type, std::string_view expected) const {
    Json& found = member(key);
    if (found.type() != type) {
        failType(key, expected, found);
    }
    return found;
}

int64_t Fields::toInteger(std::string_view key, const Json& found) const {
    if (found.is_number_unsigned() && found.get<uint64_t>() <= kLargestInteger) {
        return static_cast<int64_t>(found.get<uint64_t>());
    }
    if (found.type() != Json::value_t::number_integer) {
        failType(key, "an integer", found);
    }
    return found.get<int64_t>();
}

void Fields::failType(std::string_view key, std::string_view expected, const Json& found) const {
    fail(key, "must be " + std::string(expected) + " (found " + std::string(typeName(found)) + ")");
}

} // namespace bindwell::config
