// Any thread; plain values.
#pragma once

namespace bindwell {

struct KeyModifiers {
    bool command = false;
    bool shift = false;
    bool option = false;
    bool control = false;

    friend bool operator==(const KeyModifiers&, const KeyModifiers&) = default;
};

} // namespace bindwell
