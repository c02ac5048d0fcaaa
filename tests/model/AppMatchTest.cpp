#include "model/AppMatch.h"

#include "CaseTable.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace bindwell {
namespace {

// Each row of app-match.table, whose opening comment says how to read it.
TEST(AppMatch, GlobsMatchCharactersIgnoreCaseAndTryTheAppIdThenTheWindowClass) {
    for (const auto& [verdict, rest] : test::readTable(APP_MATCH_TABLE)) {
        std::vector<std::string> fields;
        std::istringstream row(rest);
        for (std::string field; std::getline(row >> std::ws, field, '|');) {
            field.erase(field.find_last_not_of(' ') + 1);
            fields.push_back(field == "-" ? "" : test::withByteEscapes(field));
        }
        ASSERT_EQ(fields.size(), 4U) << rest;
        EXPECT_EQ(ruleMatches(fields[0], {fields[1], fields[2], fields[3]}), verdict == "yes")
            << rest;
    }
}

} // namespace
} // namespace bindwell
