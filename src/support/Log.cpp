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

void writeLogLine(std::string_view rawLine) {
    // Lines carry device names, serials and window titles: one with an escape
    // sequence or a line break must neither drive the terminal nor forge a
    // line. Escaped here, on the main thread, so the input thread's hand-off
    // stays free of formatting.
    const std::string line = escapeControls(rawLine);
    if (const auto& sink = currentSink()) {
        sink(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void setThreadLogHandOff(LogHandOff handOff) {
    threadHandOff = std::move(handOff);
}

void setLogSink(LogSink sink) {
    currentSink() = std::move(sink);
}

} // namespace bindwell
