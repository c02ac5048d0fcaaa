#include "BindwellProcess.h"

#include "EvdevProbe.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vmtest {
namespace {

// The output goes through a pipe, as under a service manager, to a cat that
// writes it to the log file.
void pipeOutputTo(const std::string& log) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        _exit(125);
    }
    if (fork() == 0) {
        const int file = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(pipeFds[0], STDIN_FILENO);
        dup2(file, STDOUT_FILENO);
        ::close(pipeFds[1]);
        execl("/bin/cat", "cat", nullptr);
        _exit(127);
    }
    dup2(pipeFds[1], STDOUT_FILENO);
    dup2(pipeFds[1], STDERR_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

[[noreturn]] void execChild(const BindwellProcess::Options& options, const std::string& log) {
    pipeOutputTo(log);
    setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
    setenv("HOME", "/tmp", 1);
    if (options.busyMainThread) {
        setenv("BINDWELL_TEST_BUSY_MAIN_THREAD", "1", 1);
    }
    if (options.uid != 0 && (setgid(options.uid) != 0 || setuid(options.uid) != 0)) {
        _exit(126);
    }
    std::vector<char*> argv{const_cast<char*>(options.program.c_str())};
    for (const std::string& arg : options.args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

} // namespace

BindwellProcess::BindwellProcess(const Options& options) {
    static int started = 0;
    log_ = "/tmp/bindwellctl-" + std::to_string(++started) + ".log";
    pid_ = fork();
    if (pid_ == 0) {
        execChild(options, log_);
    }
}

BindwellProcess::~BindwellProcess() {
    if (pid_ > 0) {
        stop(SIGKILL);
    }
}

std::string BindwellProcess::output() const {
    std::ostringstream text;
    text << std::ifstream(log_).rdbuf();
    return text.str();
}

std::string BindwellProcess::tail(int lines) const {
    const std::string text = output();
    size_t at = text.size();
    while (lines-- > 0 && at > 0 && at != std::string::npos) {
        at = text.rfind('\n', at - 1);
    }
    return "\n" + (at == std::string::npos ? text : text.substr(at + 1));
}

void BindwellProcess::signal(int signal) const {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

int BindwellProcess::stop(int signal, int timeoutMs) {
    if (pid_ <= 0) {
        return -1;
    }
    if (signal != 0) {
        kill(pid_, signal);
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
        sleepMs(10);
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
}

} // namespace vmtest
