#include "support/Hex.h"

#include <charconv>

namespace bindwell {
namespace {

std::string toHex(int64_t value, bool upper) {
    char buffer[17];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<uint64_t>(value), 16);
    std::string text(buffer, end);
    if (upper) {
        for (char& c : text) {
            if (c >= 'a' && c <= 'f') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
    }
    return text;
}

} // namespace

std::string hexLower(int64_t value) { return toHex(value, false); }
std::string hexUpper(int64_t value) { return toHex(value, true); }

} // namespace bindwell
