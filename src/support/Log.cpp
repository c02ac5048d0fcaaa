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

// Per thread: a batch on the input thread says nothing about the main one.
thread_local int openBatches = 0;

thread_local LogHandOff threadHandOff;

} // namespace

void log(std::string_view text) {
    std::string line;
    line.reserve(kPrefix.size() + text.size() + 1);
    line.append(kPrefix).append(text);
    if (threadHandOff) {
        threadHandOff(line);
        return;
    }
    writeLogLine(line);
}

void writeLogLine(std::string_view line) {
    if (const auto& sink = currentSink()) {
        sink(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    if (openBatches == 0) {
        std::fflush(stdout);
    }
}

void setThreadLogHandOff(LogHandOff handOff) {
    threadHandOff = std::move(handOff);
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
