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

// One Input main item with the usages that were declared for it.
struct InputField {
    bool isArray = false;
    std::vector<UsageRange> usages;
};

struct ParsedDescriptor {
    std::vector<InputField> inputs;

    // Whether the usage is reported through an array Input field, where the
    // field's value names the pressed usage rather than carrying its state.
    [[nodiscard]] bool isArrayMember(uint32_t page, uint32_t usage) const;
};

// The Input fields of a HID report descriptor, or nothing when the bytes are
// not a well-formed descriptor (truncated item, unbalanced collections,
// global stack misuse, a usage range that runs backwards).
[[nodiscard]] std::optional<ParsedDescriptor> parseReportDescriptor(std::span<const uint8_t> bytes);

} // namespace bindwell::linuxplatform
