#include "platform/linux/EvdevTranslator.h"

#include "model/HidUsages.h"
#include "platform/linux/HidKeyTable.h"

#include <linux/input-event-codes.h>
#include <utility>

namespace bindwell::linuxplatform {
namespace {

constexpr int32_t kKeyRepeat = 2;
constexpr uint32_t kArrayElement = static_cast<uint32_t>(kArrayElementUsage);

std::optional<HidRecord> relativeRecord(const EvdevEvent& event) {
    switch (event.code) {
    case REL_X:
        return HidRecord{hid::kGenericDesktopPage, hid::kPointerX, event.value};
    case REL_Y:
        return HidRecord{hid::kGenericDesktopPage, hid::kPointerY, event.value};
    case REL_WHEEL:
        return HidRecord{hid::kGenericDesktopPage, hid::kWheel, event.value};
    case REL_HWHEEL:
        return HidRecord{hid::kConsumerPage, hid::kHorizontalWheel, event.value};
    default:
        // The high-resolution wheel axes repeat REL_WHEEL/REL_HWHEEL.
        return std::nullopt;
    }
}

} // namespace

EvdevTranslator::EvdevTranslator(ArrayMembership isArrayMember, bool scanCodesAreUsages)
    : isArrayMember_(std::move(isArrayMember)), scanCodesAreUsages_(scanCodesAreUsages) {}

HidRecords EvdevTranslator::translate(const EvdevEvent& event) {
    switch (event.type) {
    case EV_MSC:
        if (event.code == MSC_SCAN && scanCodesAreUsages_) {
            pendingScan_ = static_cast<uint32_t>(event.value);
        }
        return {};
    case EV_KEY:
        return translateKey(event);
    case EV_REL: {
        HidRecords records;
        if (const std::optional<HidRecord> record = relativeRecord(event)) {
            records.add(*record);
        }
        return records;
    }
    case EV_SYN:
        pendingScan_.reset();
        return {};
    default:
        return {};
    }
}

HidRecords EvdevTranslator::translateKey(const EvdevEvent& event) {
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
    HidRecords records;
    records.key = event.code;
    records.add({usage->page, usage->usage, pressed ? 1 : 0});
    if (usage->page == hid::kConsumerPage && isArrayMember_(usage->page, usage->usage)) {
        records.add({usage->page, kArrayElement, pressed ? usage->usage : 0});
    }
    return records;
}

} // namespace bindwell::linuxplatform
