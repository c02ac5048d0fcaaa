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
    std::fflush(stdout);
}

void setLogSink(LogSink sink) { currentSink() = std::move(sink); }

} // namespace bindwell
