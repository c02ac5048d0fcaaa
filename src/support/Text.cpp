#include "support/Text.h"

#include <array>
#include <cstdint>
#include <cstring>

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

bool isC0OrDel(unsigned char byte) {
    return byte < 0x20 || byte == 0x7f;
}

// U+0080..U+009F in UTF-8: 0xc2 then 0x80..0x9f. Some terminals obey them.
bool isC1At(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]) == 0xc2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[at + 1]) <= 0x9f;
}

// Text is checked a block at a time (two machine words, one SSE or NEON
// register), through the compiler's portable vector types.
constexpr size_t kBlockSize = 16;
using Block = unsigned char __attribute__((vector_size(kBlockSize)));

// Whether one of the block's bytes may start a control character: a byte
// below 0x20, DEL, or C1's lead byte 0xc2.
bool blockMayHoldControl(const Block& block) {
    const auto flagged = (block < 0x20) | (block == 0x7f) | (block == 0xc2);
    uint64_t halves[2];
    std::memcpy(halves, &flagged, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

bool blockMayHoldControl(const char* bytes) {
    Block block;
    std::memcpy(&block, bytes, kBlockSize);
    return blockMayHoldControl(block);
}

// Whether `text` may hold a control character; never wrong when it says no.
bool mayHoldControl(std::string_view text) {
    size_t at = 0;
    for (; at + kBlockSize <= text.size(); at += kBlockSize) {
        if (blockMayHoldControl(text.data() + at)) {
            return true;
        }
    }
    if (at == text.size()) {
        return false;
    }
    // The short rest is checked as the text's last full block where there is
    // one: a second look at a few bytes is cheaper than a copy.
    if (text.size() >= kBlockSize) {
        return blockMayHoldControl(text.data() + text.size() - kBlockSize);
    }
    Block padded;
    std::memset(&padded, ' ', kBlockSize);
    std::memcpy(&padded, text.data(), text.size());
    return blockMayHoldControl(padded);
}

void appendEscaped(std::string& out, unsigned char byte) {
    static constexpr std::array<char, 16> digits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                    '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out.append("\\x").push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 0xf]);
}

} // namespace

void appendEscapingControls(std::string& out, std::string_view text) {
    // Every log line passes through here, and almost none holds a control.
    if (!mayHoldControl(text)) {
        out.append(text);
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isC0OrDel(byte)) {
            appendEscaped(out, byte);
        } else if (isC1At(text, i)) {
            appendEscaped(out, byte);
            appendEscaped(out, static_cast<unsigned char>(text[++i]));
        } else {
            out.push_back(text[i]);
        }
    }
}

std::string escapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscapingControls(out, text);
    return out;
}

} // namespace bindwell
