#include "platform/linux/ReportDescriptorParser.h"

#include <gtest/gtest.h>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

using Bytes = std::vector<uint8_t>;

// A remote's consumer collection: one 16-bit array slot over usages 0..0x3FF.
const Bytes kConsumerArray = {
    0x05, 0x0C,       // Usage Page (Consumer)
    0x09, 0x01,       // Usage (Consumer Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x02,       //   Report ID (2)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x03, //   Logical Maximum (0x3FF)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0xFF, 0x03, //   Usage Maximum (0x3FF)
    0x75, 0x10,       //   Report Size (16)
    0x95, 0x01,       //   Report Count (1)
    0x81, 0x00,       //   Input (Data, Array, Abs)
    0xC0,             // End Collection
};

// A keyboard's media keys: one bit per usage.
const Bytes kConsumerBits = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, //
    0x15, 0x00, 0x25, 0x01,             // Logical 0..1
    0x09, 0xE9, 0x09, 0xEA, 0x09, 0xE2, // Volume up, down, mute
    0x75, 0x01, 0x95, 0x03,             // 3 x 1 bit
    0x81, 0x02,                         // Input (Data, Var, Abs)
    0x95, 0x05, 0x81, 0x01,             // 5 bits padding (Const)
    0xC0,
};

// A five-button mouse with X, Y and wheel.
const Bytes kMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, // Generic Desktop, Mouse, Application
    0x09, 0x01, 0xA1, 0x00,             // Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05, // Buttons 1..5
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x05, 0x81, 0x02, //
    0x75, 0x03, 0x95, 0x01, 0x81, 0x01,                         // padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38,             // X, Y, Wheel
    0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, //
    0xC0, 0xC0,
};

Bytes concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// Extended (4-byte) usages carry their own page, overriding the current one.
const Bytes kExtendedUsages = {
    0x05, 0x01,                         // Usage Page (Generic Desktop)
    0x0B, 0xE9, 0x00, 0x0C, 0x00,       // Usage (Consumer: Volume Up)
    0x0B, 0xEA, 0x00, 0x0C, 0x00,       // Usage (Consumer: Volume Down)
    0x75, 0x08, 0x95, 0x01, 0x81, 0x00, // Input (Array)
};

// Pop brings back the page that Push saved.
const Bytes kPushPop = {
    0x05, 0x0C, 0xA4, // Consumer, Push
    0x05, 0x09, 0xB4, // Button, Pop
    0x09, 0xCD, 0x75, 0x08, 0x95, 0x01, 0x81, 0x00,
};

TEST(ReportDescriptorParser, OnlyTheUsagesOfArrayFieldsAreArrayMembers) {
    const Bytes controller = concat(kConsumerArray, kMouse);
    const Bytes mediaBitsAndMouse = concat(kConsumerBits, kMouse);
    const Bytes afterLongItem = concat({0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC}, kConsumerArray);
    const std::vector<std::tuple<const Bytes*, uint32_t, uint32_t, bool>> cases{
        {&kConsumerArray, 0x0C, 0xE9, true},     {&kConsumerArray, 0x0C, 0x3FF, true},
        {&kConsumerArray, 0x0C, 0x400, false}, // past the range
        {&kConsumerArray, 0x09, 0xE9, false},  // the same usage on another page
        {&mediaBitsAndMouse, 0x0C, 0xE9, false}, {&mediaBitsAndMouse, 0x09, 3, false},
        {&mediaBitsAndMouse, 0x01, 0x30, false}, {&controller, 0x0C, 0xEA, true},
        {&controller, 0x09, 1, false}, // beside a consumer array the buttons stay plain
        {&kExtendedUsages, 0x0C, 0xE9, true},    {&kExtendedUsages, 0x0C, 0xEA, true},
        {&kExtendedUsages, 0x01, 0xE9, false},   {&kPushPop, 0x0C, 0xCD, true},
        {&afterLongItem, 0x0C, 0xE9, true},
    };
    for (const auto& [bytes, page, usage, member] : cases) {
        const auto parsed = parseReportDescriptor(*bytes);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->isArrayMember(page, usage), member) << std::hex << page << ":" << usage;
    }
}

TEST(ReportDescriptorParser, MalformedDescriptorsAreRejected) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"long item longer than the data", {0xFE, 0x10, 0x00, 0x01}},
        {"long item cut in its header", {0xFE, 0x01}},
        {"item data cut short", {0x05, 0x0C, 0x26, 0xFF}},
        {"end collection without collection", {0xC0}},
        {"pop without push", {0xB4}},
        {"usage range running backwards", {0x05, 0x0C, 0x19, 0x10, 0x29, 0x01, 0x81, 0x00}},
        {"range across pages", {0x1B, 0x01, 0, 0x0C, 0, 0x2B, 0x05, 0, 0x09, 0, 0x81, 0x00}},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(parseReportDescriptor(bytes)) << what;
    }
    Bytes deepNesting(40, 0xC0);
    for (int i = 0; i < 40; ++i) {
        deepNesting.insert(deepNesting.begin(), {0xA1, 0x00});
    }
    EXPECT_FALSE(parseReportDescriptor(deepNesting)) << "deep nesting";
}

TEST(ReportDescriptorParser, EveryTruncationOfARealDescriptorIsHandled) {
    const Bytes full = concat(kConsumerArray, kMouse);
    for (size_t length = 0; length < full.size(); ++length) {
        const auto parsed = parseReportDescriptor(std::span(full).first(length));
        // Only cuts outside any collection, after a whole item, still parse:
        // before or after the Usage Page and Usage that open each collection.
        const size_t offset = length >= kConsumerArray.size() ? kConsumerArray.size() : 0;
        const size_t intoCollection = length - offset;
        const bool outside = intoCollection == 0 || intoCollection == 2 || intoCollection == 4;
        EXPECT_EQ(parsed.has_value(), outside) << "length " << length;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
