// Any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bindwell::test {

// One line of a table of cases: its first word, and the text after the space.
struct TableRow {
    std::string word;
    std::string rest;
};

// The rows of a table file beside a test, blank lines and # comments left out;
// a file that cannot be read fails the test.
[[nodiscard]] std::vector<TableRow> readTable(const std::string& path);

// `text` with each \xHH turned into that byte, for the bytes a line cannot show.
[[nodiscard]] std::string withByteEscapes(std::string_view text);

} // namespace bindwell::test
