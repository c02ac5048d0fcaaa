#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace vmtest {

// `bindwellctl ARGS` as a child process whose standard output is collected.
class BindwellProcess {
public:
    struct Options {
        std::vector<std::string> args{"run"};
        // A program that runs bindwellctl (valgrind and its options), if any.
        std::vector<std::string> wrapper{};
        std::string configHome = "/tmp/config";
        uid_t uid = 0; // run as this user when not 0
        bool discardOutput = false;
        // The test switch that keeps the main thread asleep 200 ms of every 250.
        bool busyMainThread = false;
    };

    explicit BindwellProcess(const Options& options);
    ~BindwellProcess();
    BindwellProcess(const BindwellProcess&) = delete;
    BindwellProcess& operator=(const BindwellProcess&) = delete;

    // Waits until a line containing `text` has been printed `count` times.
    [[nodiscard]] bool waitForLog(const std::string& text, int timeoutMs, int count = 1);
    [[nodiscard]] int countLog(const std::string& text);
    void signal(int signal);
    // Sends the signal and waits for the exit; as wait().
    int stop(int signal, int timeoutMs = 5000);
    // Waits for the process to end by itself: its exit status, 128 + the
    // signal that ended it (as a shell reports it), or -1 when it was still
    // running at the timeout and had to be killed.
    int wait(int timeoutMs);
    // False once the process has ended; exitStatus() then tells how.
    [[nodiscard]] bool alive();
    [[nodiscard]] int exitStatus() const { return exitStatus_; }
    // For reading the process's figures in /proc.
    [[nodiscard]] pid_t pid() const { return pid_; }
    [[nodiscard]] const std::string& output();
    // Reads what has been printed so far, so a busy child never blocks on a full pipe.
    void pump() { collect(0); }

private:
    void collect(int timeoutMs);
    void reap(int rawStatus);

    pid_t pid_ = -1;
    int exitStatus_ = -1;
    int out_ = -1;
    std::string output_;
};

} // namespace vmtest
