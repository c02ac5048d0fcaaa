// Any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bindwell::test {

// Tables of cases kept beside their suites, one case a line. Blank lines and
// lines that start with '#' are comments; a table that cannot be read, or
// holds no case, fails the test.

// A case whose columns stand between '|' (empty ones at the end may be left out).
struct CaseRow {
    int line;
    std::vector<std::string> columns;
};

// The table at `path`, every row with `columns` columns, each column trimmed;
// a table whose texts hold '|' names another `separator`.
[[nodiscard]] std::vector<CaseRow> readCaseTable(const std::string& path, size_t columns,
                                                 char separator = '|');

// A case that is a first word and the text after its space, for tables whose
// texts may hold any character.
struct TableRow {
    std::string word;
    std::string rest;
};

[[nodiscard]] std::vector<TableRow> readTable(const std::string& path);

// The words of a column: its list of items.
[[nodiscard]] std::vector<std::string> words(const std::string& text);

// `text` with each \xHH turned into that byte, for the bytes a line cannot show.
[[nodiscard]] std::string withByteEscapes(std::string_view text);

} // namespace bindwell::test
