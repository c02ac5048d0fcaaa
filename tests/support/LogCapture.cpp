#include "LogCapture.h"

#include "support/Log.h"

#include <algorithm>

namespace bindwell::test {

LogCapture::LogCapture() {
    setLogSink([this](std::string_view line) { lines_.emplace_back(line); });
}

LogCapture::~LogCapture() { setLogSink({}); }

bool LogCapture::contains(const std::string& line) const {
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

} // namespace bindwell::test
