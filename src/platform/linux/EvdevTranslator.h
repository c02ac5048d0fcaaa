// The input thread only; one per node.
#pragma once

#include "platform/linux/EvdevEvent.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace bindwell::linuxplatform {

// One (page, usage, value) record as the engine's input-value callback gets it.
struct HidRecord {
    uint32_t page = 0;
    uint32_t usage = 0;
    int64_t value = 0;

    friend bool operator==(const HidRecord&, const HidRecord&) = default;
};

// What one evdev event stands for: at most a usage and its array element,
// and the key the kernel made of them (0 for none).
struct HidRecords {
    std::array<HidRecord, 2> items{};
    size_t count = 0;
    uint16_t key = 0;

    [[nodiscard]] const HidRecord* begin() const { return items.data(); }
    [[nodiscard]] const HidRecord* end() const { return items.data() + count; }
    void add(const HidRecord& record) { items[count++] = record; }
};

// Turns one node's evdev stream back into HID value records. Stateful only
// across the MSC_SCAN that names the usage of the EV_KEY following it.
class EvdevTranslator final {
public:
    // Answers whether a usage sits in an array Input field of the node's
    // report descriptor.
    using ArrayMembership = std::function<bool(uint32_t page, uint32_t usage)>;

    // Only HID nodes send usages in MSC_SCAN; other drivers (the PS/2
    // keyboard, platform buttons) send their own scan codes there, so their
    // keys are mapped back by table alone.
    explicit EvdevTranslator(ArrayMembership isArrayMember, bool scanCodesAreUsages = true);

    [[nodiscard]] HidRecords translate(const EvdevEvent& event);

private:
    [[nodiscard]] HidRecords translateKey(const EvdevEvent& event);

    ArrayMembership isArrayMember_;
    bool scanCodesAreUsages_;
    std::optional<uint32_t> pendingScan_;
};

} // namespace bindwell::linuxplatform
