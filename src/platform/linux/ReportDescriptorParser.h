// Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bindwell::linuxplatform {

// A run of usages on one page: a single usage has min == max.
struct UsageRange {
    uint32_t page = 0;
    uint32_t min = 0;
    uint32_t max = 0;
};

struct ParsedDescriptor {
    // The usages declared for its array Input fields, flattened: every press
    // of a consumer button asks about one.
    std::vector<UsageRange> arrayUsages;

    // Whether the usage is reported through an array Input field, where the
    // field's value names the pressed usage rather than carrying its state.
    [[nodiscard]] bool isArrayMember(uint32_t page, uint32_t usage) const;
};

// The array usages of a HID report descriptor, or nothing when the bytes are
// not a well-formed descriptor (truncated item, unbalanced collections,
// global stack misuse, a usage range that runs backwards).
[[nodiscard]] std::optional<ParsedDescriptor> parseReportDescriptor(std::span<const uint8_t> bytes);

} // namespace bindwell::linuxplatform
