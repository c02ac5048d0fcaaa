#include "support/Text.h"

#include <array>

namespace bindwell {

std::string toLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

namespace {

// U+0080..U+009F in UTF-8: 0xc2 then 0x80..0x9f. Some terminals obey them.
bool isC1At(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]) == 0xc2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[at + 1]) <= 0x9f;
}

// How many bytes the control character at `at` takes: 1 for C0 and DEL, 2 for
// C1, 0 for none.
size_t controlLengthAt(std::string_view text, size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7f) {
        return 1;
    }
    return isC1At(text, at) ? 2 : 0;
}

void appendEscaped(std::string& out, unsigned char byte) {
    static constexpr std::array<char, 16> digits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                    '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out.append("\\x").push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 0xf]);
}

} // namespace

void appendEscapingControls(std::string& out, std::string_view text) {
    // Every log line passes through here: plain runs are appended whole, not
    // byte by byte.
    size_t plainFrom = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t length = controlLengthAt(text, i);
        if (length == 0) {
            continue;
        }
        out.append(text.substr(plainFrom, i - plainFrom));
        for (const char byte : text.substr(i, length)) {
            appendEscaped(out, static_cast<unsigned char>(byte));
        }
        i += length - 1;
        plainFrom = i + 1;
    }
    out.append(text.substr(plainFrom));
}

std::string escapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscapingControls(out, text);
    return out;
}

} // namespace bindwell
