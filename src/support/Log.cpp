#include "support/Log.h"

#include "support/Text.h"

#include <cstdio>
#include <string>

namespace bindwell {
namespace {

LogSink& currentSink() {
    static LogSink sink;
    return sink;
}

constexpr std::string_view kPrefix = "[Bindwell] ";

thread_local LogHandOff threadHandOff;

// The lines waiting for the end of this thread's outermost batch, each with
// its newline. Kept rather than freed, so a warm batch allocates nothing.
thread_local std::string pending;
thread_local int batchDepth = 0;

void writePending() {
    std::fwrite(pending.data(), 1, pending.size(), stdout);
    std::fflush(stdout);
    pending.clear();
}

// `prefix` (ours) + `text` as one line. Lines carry device names, serials and
// window titles: one with an escape sequence or a line break must neither
// drive the terminal nor forge a line, so controls are escaped here, on the
// main thread, which keeps the input thread's hand-off free of formatting.
void writeLine(std::string_view prefix, std::string_view text) {
    if (const auto& sink = currentSink()) {
        std::string line;
        line.reserve(prefix.size() + text.size());
        line.append(prefix);
        appendEscapingControls(line, text);
        sink(line);
        return;
    }
    pending.append(prefix);
    appendEscapingControls(pending, text);
    pending.push_back('\n');
    if (batchDepth == 0) {
        writePending();
    }
}

} // namespace

void log(std::string_view text) {
    if (threadHandOff) {
        std::string line;
        line.reserve(kPrefix.size() + text.size() + 1);
        line.append(kPrefix).append(text);
        threadHandOff(line);
        return;
    }
    writeLine(kPrefix, text);
}

void writeLogLine(std::string_view line) {
    writeLine({}, line);
}

void setThreadLogHandOff(LogHandOff handOff) {
    threadHandOff = std::move(handOff);
}

void setLogSink(LogSink sink) {
    currentSink() = std::move(sink);
}

LogBatch::LogBatch() {
    ++batchDepth;
}

LogBatch::~LogBatch() {
    if (--batchDepth == 0 && !pending.empty()) {
        writePending();
    }
}

} // namespace bindwell
