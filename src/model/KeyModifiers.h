#pragma once

#include "model/HashCombine.h"

namespace bindwell {

struct KeyModifiers {
    bool command = false;
    bool shift = false;
    bool option = false;
    bool control = false;

    friend bool operator==(const KeyModifiers&, const KeyModifiers&) = default;
};

} // namespace bindwell

template <> struct std::hash<bindwell::KeyModifiers> {
    std::size_t operator()(const bindwell::KeyModifiers& m) const noexcept {
        return (m.command ? 1U : 0U) | (m.shift ? 2U : 0U) | (m.option ? 4U : 0U) |
               (m.control ? 8U : 0U);
    }
};
