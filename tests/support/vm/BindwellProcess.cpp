#include "BindwellProcess.h"

#include "EvdevProbe.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vmtest {
namespace {

constexpr const char* kBinary = "/bin/bindwellctl";

[[noreturn]] void execChild(const BindwellProcess::Options& options, int out) {
    const int sink = options.discardOutput ? ::open("/dev/null", O_WRONLY) : out;
    dup2(sink, STDOUT_FILENO);
    dup2(sink, STDERR_FILENO);
    setenv("XDG_CONFIG_HOME", options.configHome.c_str(), 1);
    setenv("HOME", "/tmp", 1);
    if (options.busyMainThread) {
        setenv("BINDWELL_TEST_BUSY_MAIN_THREAD", "1", 1);
    }
    if (options.uid != 0 && (setgid(options.uid) != 0 || setuid(options.uid) != 0)) {
        _exit(126);
    }
    std::vector<char*> argv;
    for (const std::string& arg : options.wrapper) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(const_cast<char*>(kBinary));
    for (const std::string& arg : options.args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

size_t occurrences(const std::string& haystack, const std::string& needle) {
    size_t count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

} // namespace

BindwellProcess::BindwellProcess(const Options& options) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        execChild(options, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    out_ = pipeFds[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
}

BindwellProcess::~BindwellProcess() {
    if (pid_ > 0) {
        stop(SIGKILL);
    }
    if (out_ >= 0) {
        ::close(out_);
    }
}

void BindwellProcess::collect(int timeoutMs) {
    pollfd pfd{out_, POLLIN, 0};
    if (::poll(&pfd, 1, timeoutMs) <= 0) {
        return;
    }
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(out_, buffer, sizeof buffer)) > 0) {
        output_.append(buffer, static_cast<size_t>(n));
    }
}

bool BindwellProcess::waitForLog(const std::string& text, int timeoutMs, int count) {
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    while (occurrences(output_, text) < static_cast<size_t>(count)) {
        const long long left = (deadline - nowMicros()) / 1000;
        if (left <= 0) {
            return false;
        }
        collect(static_cast<int>(left));
    }
    return true;
}

int BindwellProcess::countLog(const std::string& text) {
    collect(0);
    return static_cast<int>(occurrences(output_, text));
}

void BindwellProcess::signal(int signal) {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

int BindwellProcess::stop(int signal, int timeoutMs) {
    if (pid_ <= 0) {
        return -1;
    }
    kill(pid_, signal);
    return wait(timeoutMs);
}

int BindwellProcess::wait(int timeoutMs) {
    if (pid_ <= 0) {
        return -1;
    }
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (nowMicros() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            pid_ = -1;
            return -1;
        }
        collect(10);
    }
    reap(status);
    return exitStatus_;
}

bool BindwellProcess::alive() {
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
        reap(status);
    }
    return pid_ > 0;
}

void BindwellProcess::reap(int rawStatus) {
    pid_ = -1;
    exitStatus_ = WIFSIGNALED(rawStatus) ? 128 + WTERMSIG(rawStatus) : WEXITSTATUS(rawStatus);
    collect(0);
}

const std::string& BindwellProcess::output() {
    collect(0);
    return output_;
}

} // namespace vmtest
