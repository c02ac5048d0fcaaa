#include "CaseTable.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <utility>

namespace bindwell::test {
namespace {

// The table's cases with their line numbers.
std::vector<std::pair<int, std::string>> caseLines(const std::string& path) {
    std::ifstream file(path);
    EXPECT_TRUE(file.is_open()) << "cannot read " << path;
    std::vector<std::pair<int, std::string>> lines;
    int number = 1;
    for (std::string text; std::getline(file, text); ++number) {
        const std::vector<std::string> found = words(text);
        if (!found.empty() && !found.front().starts_with('#')) {
            lines.emplace_back(number, std::move(text));
        }
    }
    EXPECT_FALSE(lines.empty()) << "no cases in " << path;
    return lines;
}

std::string trimmed(const std::string& text) {
    const size_t first = std::min(text.find_first_not_of(' '), text.size());
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

} // namespace

std::vector<CaseRow> readCaseTable(const std::string& path, size_t columns, char separator) {
    std::vector<CaseRow> rows;
    for (const auto& [line, text] : caseLines(path)) {
        CaseRow& row = rows.emplace_back(CaseRow{line, {}});
        std::istringstream in(text);
        for (std::string column; std::getline(in, column, separator);) {
            row.columns.push_back(trimmed(column));
        }
        EXPECT_LE(row.columns.size(), columns) << path << ":" << line;
        row.columns.resize(columns);
    }
    return rows;
}

std::vector<TableRow> readTable(const std::string& path) {
    std::vector<TableRow> rows;
    for (const auto& [line, text] : caseLines(path)) {
        const size_t space = std::min(text.find(' '), text.size());
        rows.push_back({text.substr(0, space), text.substr(std::min(space + 1, text.size()))});
    }
    return rows;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

std::string withByteEscapes(std::string_view text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\\x" && i + 4 <= text.size()) {
            bytes += char(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16));
            i += 3;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

} // namespace bindwell::test
