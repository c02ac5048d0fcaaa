// Main thread only.
#pragma once

#include "support/Log.h"

#include <algorithm>
#include <string>
#include <vector>

namespace bindwell::test {

// Collects every log line written while it lives, instead of printing them.
class LogCapture {
public:
    LogCapture() {
        setLogSink([this](std::string_view line) { lines_.emplace_back(line); });
    }
    ~LogCapture() { setLogSink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }
    // Whether exactly this line was written.
    [[nodiscard]] bool contains(const std::string& line) const {
        return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
    }
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

} // namespace bindwell::test
