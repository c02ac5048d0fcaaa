#include "platform/linux/ReportDescriptorParser.h"

#include "EventNotation.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

using Bytes = std::vector<uint8_t>;
using test::CaseRow;

std::vector<CaseRow> rows() {
    return test::readCaseTable(CASE_TABLES "report-descriptors.table", 3);
}

// Every row's bytes by its name, a name in the bytes standing for its own.
std::map<std::string, Bytes> descriptors() {
    std::map<std::string, Bytes> named;
    for (const CaseRow& row : rows()) {
        Bytes& bytes = named[row.columns[0]];
        for (const std::string& word : test::words(row.columns[1])) {
            if (const auto earlier = named.find(word); earlier != named.end()) {
                bytes.insert(bytes.end(), earlier->second.begin(), earlier->second.end());
            } else {
                bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
            }
        }
    }
    return named;
}

TEST(ReportDescriptorParser, OnlyArrayFieldsHaveMembersAndMalformedBytesAreRejected) {
    const std::map<std::string, Bytes> named = descriptors();
    for (const CaseRow& row : rows()) {
        SCOPED_TRACE(row.columns[0]);
        const auto parsed = parseReportDescriptor(named.at(row.columns[0]));
        ASSERT_EQ(parsed.has_value(), row.columns[2] != "rejected");
        for (const HidRecord& usage : test::recordsNamed(parsed ? row.columns[2] : "")) {
            EXPECT_EQ(parsed->isArrayMember(usage.page, usage.usage), usage.value == 1)
                << std::hex << usage.page << ":" << usage.usage;
        }
    }
    Bytes deepNesting(40, 0xC0);
    for (int i = 0; i < 40; ++i) {
        deepNesting.insert(deepNesting.begin(), {0xA1, 0x00});
    }
    EXPECT_FALSE(parseReportDescriptor(deepNesting)) << "deep nesting";
}

TEST(ReportDescriptorParser, EveryTruncationOfARealDescriptorIsHandled) {
    const std::map<std::string, Bytes> named = descriptors();
    const Bytes& full = named.at("controller");
    const size_t consumerArray = named.at("consumer-array").size();
    for (size_t length = 0; length < full.size(); ++length) {
        const auto parsed = parseReportDescriptor(std::span(full).first(length));
        // Only cuts outside any collection, after a whole item, still parse:
        // before or after the Usage Page and Usage that open each collection.
        const size_t intoCollection = length - (length >= consumerArray ? consumerArray : 0);
        const bool outside = intoCollection == 0 || intoCollection == 2 || intoCollection == 4;
        EXPECT_EQ(parsed.has_value(), outside) << "length " << length;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
