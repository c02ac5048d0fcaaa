// Any thread; no state of its own.
#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// Hexadecimal without "0x" and without leading zeros ("0" for zero). Negative
// numbers print as their 64-bit two's complement, as a C formatter would.
[[nodiscard]] std::string hexLower(int64_t value);
[[nodiscard]] std::string hexUpper(int64_t value);

} // namespace bindwell
