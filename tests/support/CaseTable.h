// Any thread.
#pragma once

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace bindwell::test {

// A table of cases kept beside its suite: one case a line, its columns
// between '|' (empty ones at the end may be left out); blank lines and lines
// that start with '#' are comments.
struct CaseRow {
    int line;
    std::vector<std::string> columns;
};

// The words of a column: its list of items.
inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The table at PATH, every row with COLUMNS columns, each column trimmed.
inline std::vector<CaseRow> readCaseTable(const std::string& path, size_t columns) {
    std::ifstream file(path);
    std::vector<CaseRow> rows;
    int line = 1;
    for (std::string text; std::getline(file, text); ++line) {
        if (words(text).empty() || words(text).front().starts_with('#')) {
            continue;
        }
        CaseRow& row = rows.emplace_back(CaseRow{line, {}});
        std::istringstream in(text);
        for (std::string column; std::getline(in, column, '|');) {
            const size_t first = std::min(column.find_first_not_of(' '), column.size());
            row.columns.push_back(column.substr(first, column.find_last_not_of(' ') + 1 - first));
        }
        EXPECT_LE(row.columns.size(), columns) << path << ":" << line;
        row.columns.resize(columns);
    }
    EXPECT_FALSE(rows.empty()) << "no cases in " << path;
    return rows;
}

} // namespace bindwell::test
