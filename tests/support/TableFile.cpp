#include "TableFile.h"

#include <fstream>
#include <gtest/gtest.h>

namespace bindwell::test {

std::vector<TableRow> readTable(const std::string& path) {
    std::ifstream file(path);
    EXPECT_TRUE(file.is_open()) << "cannot read " << path;
    std::vector<TableRow> rows;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && !line.starts_with('#')) {
            const size_t space = std::min(line.find(' '), line.size());
            rows.push_back({line.substr(0, space), line.substr(std::min(space + 1, line.size()))});
        }
    }
    EXPECT_FALSE(rows.empty()) << path;
    return rows;
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
