// Reads just enough of a HID report descriptor to tell array Input fields
// from variable ones, which evdev hides: the kernel turns both into the same
// EV_KEY presses, but the engine's profiles expect the array element form too.
//
// Decisions:
// - Every length comes from the descriptor and is checked against the bytes
//   left before it is used; a short item fails the whole parse rather than
//   guessing, because a half-read descriptor would misclassify fields.
// - Usage ranges are kept as ranges, never expanded, so a field declaring
//   0..0xFFFF costs the same as one usage.
// - Long items (prefix 0xFE) are defined by the HID standard but carry
//   no item this parser needs; they are skipped by their declared size.
// - A 4-byte Usage / Usage Minimum / Usage Maximum is an extended usage whose
//   high half names its own page; shorter ones take the Usage Page in force
//   when the main item is read.
// The kernel's own parser (drivers/hid/hid-core.c) was the reference for
// what real devices send; we keep only the items the classification needs.
#include "platform/linux/ReportDescriptorParser.h"

#include <algorithm>

namespace bindwell::linuxplatform {
namespace {

enum class ItemType : uint8_t { main = 0, global = 1, local = 2, reserved = 3 };

namespace maintag {
constexpr uint8_t input = 0x8;
constexpr uint8_t collection = 0xA;
constexpr uint8_t endCollection = 0xC;
} // namespace maintag

namespace globaltag {
constexpr uint8_t usagePage = 0x0;
constexpr uint8_t push = 0xA;
constexpr uint8_t pop = 0xB;
} // namespace globaltag

namespace localtag {
constexpr uint8_t usage = 0x0;
constexpr uint8_t usageMinimum = 0x1;
constexpr uint8_t usageMaximum = 0x2;
} // namespace localtag

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint32_t kInputVariableFlag = 0x02;
// Real descriptors nest a handful of levels; anything deeper is garbage.
constexpr size_t kMaxDepth = 32;

struct Item {
    ItemType type = ItemType::main;
    uint8_t tag = 0;
    uint8_t size = 0;
    uint32_t data = 0;
};

struct GlobalState {
    uint32_t usagePage = 0;
};

// A usage as written: `extended` when it carried its own page.
struct LocalUsage {
    uint32_t value = 0;
    bool extended = false;
};

struct LocalState {
    std::vector<LocalUsage> usages;
    std::optional<LocalUsage> minimum;
    std::optional<LocalUsage> maximum;
    std::vector<UsageRange> ranges;
};

class Parser {
public:
    explicit Parser(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::optional<ParsedDescriptor> run() {
        while (offset_ < bytes_.size()) {
            if (bytes_[offset_] == kLongItemPrefix) {
                if (!skipLongItem()) {
                    return std::nullopt;
                }
                continue;
            }
            const std::optional<Item> item = readShortItem();
            if (!item || !apply(*item)) {
                return std::nullopt;
            }
        }
        if (depth_ != 0 || !globalStack_.empty()) {
            return std::nullopt;
        }
        return std::move(result_);
    }

private:
    bool skipLongItem() {
        // 0xFE, data size, long tag, then the data.
        if (bytes_.size() - offset_ < 3) {
            return false;
        }
        const size_t dataSize = bytes_[offset_ + 1];
        if (bytes_.size() - offset_ - 3 < dataSize) {
            return false;
        }
        offset_ += 3 + dataSize;
        return true;
    }

    std::optional<Item> readShortItem() {
        const uint8_t prefix = bytes_[offset_++];
        static constexpr uint8_t kSizes[] = {0, 1, 2, 4};
        Item item;
        item.size = kSizes[prefix & 0x3];
        item.type = static_cast<ItemType>((prefix >> 2) & 0x3);
        item.tag = static_cast<uint8_t>(prefix >> 4);
        if (bytes_.size() - offset_ < item.size) {
            return std::nullopt;
        }
        for (uint8_t i = 0; i < item.size; ++i) {
            item.data |= static_cast<uint32_t>(bytes_[offset_ + i]) << (8 * i);
        }
        offset_ += item.size;
        return item;
    }

    bool apply(const Item& item) {
        switch (item.type) {
        case ItemType::main:
            return applyMain(item);
        case ItemType::global:
            return applyGlobal(item);
        case ItemType::local:
            return applyLocal(item);
        case ItemType::reserved:
            return true;
        }
        return true;
    }

    bool applyMain(const Item& item) {
        bool ok = true;
        if (item.tag == maintag::input) {
            ok = addInput(item.data);
        } else if (item.tag == maintag::collection) {
            ok = openCollection();
        } else if (item.tag == maintag::endCollection) {
            ok = depth_ > 0;
            depth_ = ok ? depth_ - 1 : 0;
        }
        local_ = {};
        return ok;
    }

    bool applyGlobal(const Item& item) {
        switch (item.tag) {
        case globaltag::usagePage:
            global_.usagePage = item.data & 0xFFFF;
            return true;
        case globaltag::push:
            if (globalStack_.size() >= kMaxDepth) {
                return false;
            }
            globalStack_.push_back(global_);
            return true;
        case globaltag::pop:
            if (globalStack_.empty()) {
                return false;
            }
            global_ = globalStack_.back();
            globalStack_.pop_back();
            return true;
        default:
            return true;
        }
    }

    bool applyLocal(const Item& item) {
        const LocalUsage usage{item.data, item.size == 4};
        switch (item.tag) {
        case localtag::usage:
            local_.usages.push_back(usage);
            return true;
        case localtag::usageMinimum:
            local_.minimum = usage;
            return closeRangeIfComplete();
        case localtag::usageMaximum:
            local_.maximum = usage;
            return closeRangeIfComplete();
        default:
            return true;
        }
    }

    bool closeRangeIfComplete() {
        if (!local_.minimum || !local_.maximum) {
            return true;
        }
        const UsageRange min = resolve(*local_.minimum);
        const UsageRange max = resolve(*local_.maximum);
        local_.minimum.reset();
        local_.maximum.reset();
        if (min.page != max.page || min.min > max.min) {
            return false;
        }
        local_.ranges.push_back({min.page, min.min, max.min});
        return true;
    }

    [[nodiscard]] UsageRange resolve(const LocalUsage& usage) const {
        if (usage.extended) {
            const uint32_t id = usage.value & 0xFFFF;
            return {usage.value >> 16, id, id};
        }
        return {global_.usagePage, usage.value & 0xFFFF, usage.value & 0xFFFF};
    }

    bool addInput(uint32_t flags) {
        if ((flags & kInputVariableFlag) != 0) {
            return true;
        }
        std::vector<UsageRange>& array = result_.arrayUsages;
        for (const LocalUsage& usage : local_.usages) {
            array.push_back(resolve(usage));
        }
        array.insert(array.end(), local_.ranges.begin(), local_.ranges.end());
        return true;
    }

    bool openCollection() {
        if (depth_ >= kMaxDepth) {
            return false;
        }
        ++depth_;
        return true;
    }

    std::span<const uint8_t> bytes_;
    size_t offset_ = 0;
    size_t depth_ = 0;
    GlobalState global_;
    std::vector<GlobalState> globalStack_;
    LocalState local_;
    ParsedDescriptor result_;
};

} // namespace

bool ParsedDescriptor::isArrayMember(uint32_t page, uint32_t usage) const {
    return std::any_of(arrayUsages.begin(), arrayUsages.end(), [&](const UsageRange& range) {
        return range.page == page && usage >= range.min && usage <= range.max;
    });
}

std::optional<ParsedDescriptor> parseReportDescriptor(std::span<const uint8_t> bytes) {
    return Parser(bytes).run();
}

} // namespace bindwell::linuxplatform
