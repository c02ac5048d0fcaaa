#include "support/Log.h"

#include <cstdio>
#include <string>

namespace bindwell {
namespace {

LogSink& currentSink() {
    static LogSink sink;
    return sink;
}

constexpr std::string_view kPrefix = "[Bindwell] ";

int openBatches = 0;

} // namespace

void log(std::string_view text) {
    std::string line;
    line.reserve(kPrefix.size() + text.size() + 1);
    line.append(kPrefix).append(text);
    if (const auto& sink = currentSink()) {
        sink(line);
        return;
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
    if (openBatches == 0) {
        std::fflush(stdout);
    }
}

void setLogSink(LogSink sink) {
    currentSink() = std::move(sink);
}

LogBatch::LogBatch() {
    ++openBatches;
}

LogBatch::~LogBatch() {
    if (--openBatches == 0) {
        std::fflush(stdout);
    }
}

} // namespace bindwell
