// Main thread only.
#pragma once

#include <string>
#include <vector>

namespace bindwell::test {

// Collects every log line written while it lives, instead of printing them.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }
    [[nodiscard]] bool contains(const std::string& line) const;
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

} // namespace bindwell::test
