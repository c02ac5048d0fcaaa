#include "model/AppMatch.h"

namespace bindwell {
namespace {

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || folded(pattern[p]) == folded(text[t]))) {
            ++p;
            ++t;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            t = ++resumeAt;
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
