// Globs compare characters, not bytes: application ids and window classes are
// UTF-8, and a user who writes "caf?" or "ÉMACS" means "café" and "émacs".
// Case is folded with Unicode's simple folding (one character to one, from
// Qt's tables), which needs no buffer: a rule is matched at the press, on
// the input thread, and must not allocate.
#include "model/AppMatch.h"

#include <QChar>

namespace bindwell {
namespace {

struct CodePoint {
    char32_t value;
    size_t length;
};

// A byte that does not start valid UTF-8 stands for itself, outside
// Unicode's range, so it equals only the same byte.
constexpr char32_t kLoneByte = 0x110000;

bool isContinuation(unsigned char byte) {
    return (byte & 0xc0) == 0x80;
}

CodePoint decodeAt(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80                   ? 1
                          : lead >= 0xc2 && lead < 0xe0 ? 2
                          : lead >= 0xe0 && lead < 0xf0 ? 3
                          : lead >= 0xf0 && lead < 0xf5 ? 4
                                                        : 0;
    if (length == 1 || length == 0 || at + length > text.size()) {
        return {length == 1 ? lead : kLoneByte + lead, 1};
    }
    char32_t value = lead & (0x7f >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!isContinuation(byte)) {
            return {kLoneByte + lead, 1};
        }
        value = (value << 6) | (byte & 0x3f);
    }
    return {value, length};
}

char32_t folded(CodePoint point) {
    return point.value < kLoneByte ? QChar::toCaseFolded(point.value) : point.value;
}

} // namespace

// Greedy with one backtrack point: the last '*' seen absorbs one more
// character on each mismatch. Linear in practice, and never recursive, so a
// hand-written pattern of many stars cannot blow up.
bool globMatches(std::string_view pattern, std::string_view text) {
    size_t p = 0;
    size_t t = 0;
    size_t starAt = std::string_view::npos;
    size_t resumeAt = 0;
    while (t < text.size()) {
        const CodePoint here = decodeAt(text, t);
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = t;
        } else if (const CodePoint wanted = p < pattern.size() ? decodeAt(pattern, p) : CodePoint{};
                   wanted.length > 0 && (pattern[p] == '?' || folded(wanted) == folded(here))) {
            p += wanted.length;
            t += here.length;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            resumeAt += decodeAt(text, resumeAt).length;
            t = resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool ruleMatches(std::string_view pattern, const FocusedApp& app) {
    if (pattern.empty()) {
        return false;
    }
    return (!app.appId.empty() && globMatches(pattern, app.appId)) ||
           (!app.wmClass.empty() && globMatches(pattern, app.wmClass));
}

} // namespace bindwell
