#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace bindwell::ctl {
namespace {

sigset_t quitSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

QuitOnSignal::QuitOnSignal() {
    const sigset_t set = quitSignals();
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
        return;
    }
    fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) {
        sigprocmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        signalfd_siginfo info{};
        while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
        QCoreApplication::quit();
    });
}

QuitOnSignal::~QuitOnSignal() {
    notifier_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
        const sigset_t set = quitSignals();
        sigprocmask(SIG_UNBLOCK, &set, nullptr);
    }
}

} // namespace bindwell::ctl
