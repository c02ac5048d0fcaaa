#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace vmtest {

// `bindwellctl ARGS` as a child process. Its output ends in a file of its
// own, so a busy child never waits for the test to read it.
class BindwellProcess {
public:
    struct Options {
        std::vector<std::string> args{"run"};
        // Or a program that runs bindwellctl (valgrind), args its arguments.
        std::string program = "/bin/bindwellctl";
        uid_t uid = 0; // run as this user when not 0
        // The test switch that keeps the main thread asleep 200 ms of every 250.
        bool busyMainThread = false;
    };

    explicit BindwellProcess(const Options& options);
    ~BindwellProcess();
    BindwellProcess(const BindwellProcess&) = delete;
    BindwellProcess& operator=(const BindwellProcess&) = delete;

    void signal(int signal) const;
    // Sends the signal (none when 0) and waits for the exit: its status, 128 +
    // the signal that ended it (as a shell reports it), or -1 when it was
    // still running at the timeout and had to be killed.
    int stop(int signal, int timeoutMs = 5000);
    int wait(int timeoutMs) { return stop(0, timeoutMs); }
    // False once the process has ended; exitStatus() then tells how.
    [[nodiscard]] bool alive();
    [[nodiscard]] int exitStatus() const { return exitStatus_; }
    // For reading the process's figures in /proc.
    [[nodiscard]] pid_t pid() const { return pid_; }
    [[nodiscard]] std::string output() const;
    // The last lines of the output, on lines of their own, for a report.
    [[nodiscard]] std::string tail(int lines) const;

private:
    void reap(int rawStatus);

    pid_t pid_ = -1;
    int exitStatus_ = -1;
    std::string log_;
};

} // namespace vmtest
