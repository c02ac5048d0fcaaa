// Reading one object of the configuration file, with errors that name
// where they are ("profile 0 (\"id\"), mapping 2, key \"source.usageID\"").
// Values are moved out of the parsed document, not copied.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bindwell::config {

using Json = nlohmann::json;

struct ReadError {
    std::string description;
};

std::string jsonQuoted(const std::string& text);
// "an integer", "a string", ... as errors name what they found.
std::string_view typeName(const Json& value);

// Where a value sits: profile index and id, mapping index. The text is built
// only when an error needs it, so reading a valid file allocates nothing here.
struct Place {
    size_t profile = 0;
    const std::string* profileID = nullptr;
    std::optional<size_t> mapping;

    [[nodiscard]] std::string describe() const;
    [[noreturn]] void fail(std::string_view problem) const;
};

// One object being read. Nested objects keep a link to their parent and the
// key they sit under, so an error can name the path ("source.usageID").
class Fields {
public:
    Fields(Json& object, const Place& place) : object_(object), place_(place) {}

    [[nodiscard]] Json& json() const { return object_; }
    [[nodiscard]] std::string takeString(std::string_view key) const;
    // Absent or null reads as empty, for keys older files do not have.
    [[nodiscard]] std::string takeOptionalString(std::string_view key) const;
    [[nodiscard]] bool boolean(std::string_view key) const;
    [[nodiscard]] int64_t integer(std::string_view key) const;
    [[nodiscard]] std::optional<int64_t> optionalInteger(std::string_view key) const;
    [[nodiscard]] int64_t integerWithin(std::string_view key, int64_t low, int64_t high) const;
    [[nodiscard]] std::optional<int64_t> optionalIntegerWithin(std::string_view key, int64_t low,
                                                               int64_t high) const;
    [[nodiscard]] bool has(std::string_view key) const;
    [[nodiscard]] Json& array(std::string_view key) const;
    // `key` must outlive the result: callers pass literals and case names.
    [[nodiscard]] Fields object(std::string_view key) const;
    // The members of an optional array of objects; `keys` holds their path
    // names ("appOverrides.0") for as long as the results are read.
    [[nodiscard]] std::vector<Fields> optionalObjects(std::string_view key,
                                                      std::vector<std::string>& keys) const;

    [[noreturn]] void fail(std::string_view key, std::string_view problem) const;
    // The one message whose wording callers and users already know.
    [[noreturn]] void failCaseCount() const;

private:
    Fields(Json& object, const Place& place, const Fields* parent, std::string_view key)
        : object_(object), place_(place), parent_(parent), key_(key) {}

    [[nodiscard]] int64_t within(std::string_view key, int64_t number, int64_t low,
                                 int64_t high) const;
    [[nodiscard]] std::string path(std::string_view key) const;
    [[nodiscard]] Json& member(std::string_view key) const;
    [[nodiscard]] Json& value(std::string_view key, Json::value_t type,
                              std::string_view expected) const;
    [[nodiscard]] int64_t toInteger(std::string_view key, const Json& found) const;
    [[noreturn]] void failType(std::string_view key, std::string_view expected,
                               const Json& found) const;

    Json& object_;
    const Place& place_;
    const Fields* parent_ = nullptr;
    std::string_view key_;
};

} // namespace bindwell::config
