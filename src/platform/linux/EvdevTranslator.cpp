#include "platform/linux/EvdevTranslator.h"

#include "model/HIDButtonSource.h"
#include "platform/linux/ConsumerKeyTable.h"

#include <linux/input-event-codes.h>
#include <utility>

namespace bindwell::linuxplatform {
namespace {

constexpr int32_t kKeyRepeat = 2;
constexpr uint32_t kArrayElement = static_cast<uint32_t>(kArrayElementUsage);

std::optional<HidRecord> relativeRecord(const EvdevEvent& event) {
    switch (event.code) {
    case REL_X:
        return HidRecord{0x01, 0x30, event.value};
    case REL_Y:
        return HidRecord{0x01, 0x31, event.value};
    case REL_WHEEL:
        return HidRecord{0x01, 0x38, event.value};
    case REL_HWHEEL:
        return HidRecord{0x0C, 0x238, event.value};
    default:
        // The high-resolution wheel axes repeat REL_WHEEL/REL_HWHEEL.
        return std::nullopt;
    }
}

} // namespace

EvdevTranslator::EvdevTranslator(ArrayMembership isArrayMember, bool scanCodesAreUsages)
    : isArrayMember_(std::move(isArrayMember)), scanCodesAreUsages_(scanCodesAreUsages) {}

std::vector<HidRecord> EvdevTranslator::translate(const EvdevEvent& event) {
    switch (event.type) {
    case EV_MSC:
        if (event.code == MSC_SCAN && scanCodesAreUsages_) {
            pendingScan_ = static_cast<uint32_t>(event.value);
        }
        return {};
    case EV_KEY:
        return translateKey(event);
    case EV_REL: {
        const std::optional<HidRecord> record = relativeRecord(event);
        return record ? std::vector<HidRecord>{*record} : std::vector<HidRecord>{};
    }
    case EV_SYN:
        pendingScan_.reset();
        return {};
    default:
        return {};
    }
}

std::vector<HidRecord> EvdevTranslator::translateKey(const EvdevEvent& event) {
    const std::optional<uint32_t> scan = std::exchange(pendingScan_, std::nullopt);
    if (event.value == kKeyRepeat) {
        return {};
    }
    std::optional<HidUsage> usage;
    if (scan) {
        usage = HidUsage{*scan >> 16, *scan & 0xFFFF};
    } else {
        usage = hidUsageForEvdevKey(event.code);
    }
    if (!usage) {
        return {};
    }
    const bool pressed = event.value != 0;
    std::vector<HidRecord> records{{usage->page, usage->usage, pressed ? 1 : 0}};
    if (usage->page == kConsumerUsagePage && isArrayMember_(usage->page, usage->usage)) {
        records.push_back({usage->page, kArrayElement, pressed ? usage->usage : 0});
    }
    return records;
}

} // namespace bindwell::linuxplatform
