// Any thread; plain values.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bindwell {

// Where a value sits in the document: array indexes and object keys, outside in.
using JsonPath = std::vector<std::variant<size_t, std::string>>;

// The JSON text of a configuration as a document, with what the library's own
// parser passes over in silence: keys repeated within one object (the last one
// counts) and where a number too large to read stands.
struct ConfigDocument {
    nlohmann::json json; // after an error, what was read before it
    std::string error;   // empty exactly when the text is JSON
    JsonPath errorPath;
    std::vector<JsonPath> repeatedKeys;
};

[[nodiscard]] ConfigDocument parseConfigDocument(std::string_view text);

} // namespace bindwell
