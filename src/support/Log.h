// Main thread, except where a thread has its own hand-off (see below).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace bindwell {

// Writes "[Bindwell] " + text + "\n" to standard output and flushes, so that the
// log interleaves correctly with anything else the process prints.
void log(std::string_view text);

// Where log lines go. Tests install a sink to read what the program says;
// an empty sink restores standard output. The line passed excludes the newline.
using LogSink = std::function<void(std::string_view line)>;
void setLogSink(LogSink sink);

// A thread that must never wait for stdout gives its lines, prefix included,
// to `handOff` instead of writing them; the receiver writes them later with
// writeLogLine on the main thread. Set on that thread; empty to undo.
using LogHandOff = std::function<void(std::string& line)>;
void setThreadLogHandOff(LogHandOff handOff);
// Writes a finished line (prefix included, no newline) to the sink or stdout.
void writeLogLine(std::string_view line);

// While one lives, the lines this thread logs to stdout are kept and written
// together, in order and unchanged, when the outermost batch ends: a burst of
// input costs one write, not one per line.
class LogBatch final {
public:
    LogBatch();
    ~LogBatch();
    LogBatch(const LogBatch&) = delete;
    LogBatch& operator=(const LogBatch&) = delete;
};

} // namespace bindwell
