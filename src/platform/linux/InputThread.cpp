// The input thread: one thread that owns the remapping path.
//
// Each pass of the loop, in order:
//   1. epoll_wait on the seized consumer-control nodes, the tapped nodes, the
//      udev monitors that follow their plugging, and one eventfd for wake-ups.
//   2. For each readable node, its watcher reads everything pending and runs
//      it through the session: translation (EvdevTranslator or
//      TapFrameFilter), the decision core, then one uinput write per output
//      frame. Log lines and lastEvent texts are only handed off here.
//   3. On the eventfd: the main thread's commands (start, stop, shutdown and
//      the restarts of a profile edit), each run to completion. They run
//      between two nodes' reads, so never inside a frame, and the main thread
//      waits for each, which keeps today's order of log lines and lets stop
//      and shutdown return only once the devices are let go.
//   4. Deferred work (the managers' "matched" reports).
//
// Texts go back through one mutex-guarded hand-off, after the outputs of
// the input they belong to: log lines are queued (bounded; overflow is
// counted and reported) and lastEvent keeps only its latest text. The main
// thread is woken for them only once input has been quiet for a moment (or
// they have waited long enough): woken at once, it would compete for the CPU
// with whoever reads our output, right when latency counts. It then writes
// the lines to stdout itself, so a slow or full stdout stalls only the main
// thread, and a burst of input costs it one wake-up.
//
// Rejected: writing the log from the input thread with a non-blocking stdout
// (O_NONBLOCK is shared with whoever else holds the terminal or pipe), a log
// thread (a third thread for a few lines a second), and a lock-free ring
// (one short mutex per input costs well under a microsecond and keeps the
// hand-off readable).
#include "platform/linux/InputThread.h"

#include "support/Log.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

// Enough for any burst a person can produce between two main-thread turns;
// past it, lines are counted instead of kept.
constexpr size_t kMaxQueuedLogLines = 4096;
constexpr int kMaxEventsPerWait = 16;
// How long input must be quiet before waiting texts go to the main thread,
// and the longest a text waits during a stream of input.
constexpr int kQuietMilliseconds = 3;
constexpr auto kLongestTextWait = std::chrono::milliseconds(50);

thread_local InputThread* currentThread = nullptr;

} // namespace

InputThread::InputThread()
    : epollFd_(epoll_create1(EPOLL_CLOEXEC)), wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = wakeFd_;
    usable_ =
        epollFd_ >= 0 && wakeFd_ >= 0 && epoll_ctl(epollFd_, EPOLL_CTL_ADD, wakeFd_, &event) == 0;
    if (!usable_) {
        log("⚠️ Could not set up the input thread (error: " + std::to_string(errno) +
            "); remapping runs on the main thread");
    }
}

InputThread::~InputThread() {
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        const uint64_t one = 1;
        (void)::write(wakeFd_, &one, sizeof one);
        thread_.join();
    }
    drain();
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
    }
    if (epollFd_ >= 0) {
        ::close(epollFd_);
    }
}

InputThread* InputThread::current() {
    return currentThread;
}

void InputThread::ensureStarted() {
    if (!thread_.joinable()) {
        thread_ = std::thread([this] { run(); });
    }
}

void InputThread::call(const std::function<void()>& command) {
    // Without a thread the watchers fall back to the Qt loop, so commands
    // simply run here.
    if (currentThread == this || !usable_) {
        command();
        return;
    }
    ensureStarted();
    std::vector<std::string> lines;
    {
        std::unique_lock lock(mutex_);
        commands_.push_back(&command);
        const uint64_t ticket = ++submitted_;
        const uint64_t one = 1;
        (void)::write(wakeFd_, &one, sizeof one);
        commandDone_.wait(lock, [&] { return completed_ >= ticket; });
        // Only the lines up to the command's end: what the deferred work after
        // it logs (a device found) follows whatever the caller logs next, as it
        // would on a single thread.
        const auto end =
            logLines_.begin() +
            static_cast<std::ptrdiff_t>(std::min(linesBeforeCommandEnd_, logLines_.size()));
        lines.assign(std::make_move_iterator(logLines_.begin()), std::make_move_iterator(end));
        logLines_.erase(logLines_.begin(), end);
    }
    for (const std::string& line : lines) {
        writeLogLine(line);
    }
}

void InputThread::setLastEventReceiver(LastEventReceiver receiver) {
    receiver_ = std::move(receiver);
}

void InputThread::publishLastEvent(std::string& text) {
    {
        const std::lock_guard lock(mutex_);
        latestLastEvent_.swap(text);
        hasLastEvent_ = true;
    }
    noteTextsWaiting();
}

void InputThread::handOffLogLine(std::string& line) {
    {
        const std::lock_guard lock(mutex_);
        if (logLines_.size() < kMaxQueuedLogLines) {
            logLines_.push_back(std::move(line));
        } else {
            ++droppedLogLines_;
        }
    }
    noteTextsWaiting();
}

void InputThread::noteTextsWaiting() {
    if (!textsWaiting_) {
        textsWaiting_ = true;
        textsWaitingSince_ = std::chrono::steady_clock::now();
    }
}

void InputThread::wakeMainThreadForTexts() {
    textsWaiting_ = false;
    const std::lock_guard lock(mutex_);
    if (!drainScheduled_) {
        drainScheduled_ = true;
        QMetaObject::invokeMethod(
            &mainThreadContext_, [this] { drain(); }, Qt::QueuedConnection);
    }
}

void InputThread::drain() {
    std::vector<std::string> lines;
    std::string lastEvent;
    bool hasLastEvent = false;
    size_t dropped = 0;
    {
        const std::lock_guard lock(mutex_);
        lines.swap(logLines_);
        std::swap(dropped, droppedLogLines_);
        if (hasLastEvent_) {
            lastEvent.swap(latestLastEvent_);
            hasLastEvent = true;
            hasLastEvent_ = false;
        }
        drainScheduled_ = false;
    }
    for (const std::string& line : lines) {
        writeLogLine(line);
    }
    if (dropped > 0) {
        log("⚠️ " + std::to_string(dropped) +
            " log lines were dropped: the output could not keep up");
    }
    if (hasLastEvent && receiver_) {
        receiver_(lastEvent);
    }
}

void InputThread::watch(int fd, std::function<void()> onReadable) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    if (epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &event) != 0) {
        log("⚠️ Could not watch input fd " + std::to_string(fd) +
            " (error: " + std::to_string(errno) + ")");
        return;
    }
    watches_[fd] = std::make_shared<Watch>(Watch{std::move(onReadable)});
}

void InputThread::unwatch(int fd) {
    if (watches_.erase(fd) > 0) {
        (void)epoll_ctl(epollFd_, EPOLL_CTL_DEL, fd, nullptr);
    }
}

void InputThread::runSoon(std::function<void()> task) {
    deferred_.push_back(std::move(task));
}

void InputThread::run() {
    currentThread = this;
    setThreadLogHandOff([this](std::string& line) { handOffLogLine(line); });
    epoll_event events[kMaxEventsPerWait];
    for (;;) {
        const int count = epoll_wait(epollFd_, events, kMaxEventsPerWait,
                                     textsWaiting_ ? kQuietMilliseconds : -1);
        const bool quiet = count == 0;
        if (textsWaiting_ &&
            (quiet || std::chrono::steady_clock::now() - textsWaitingSince_ >= kLongestTextWait)) {
            wakeMainThreadForTexts();
        }
        for (int i = 0; i < count; ++i) {
            if (events[i].data.fd == wakeFd_) {
                uint64_t wakes = 0;
                (void)::read(wakeFd_, &wakes, sizeof wakes);
                runCommands();
            } else {
                dispatch(events[i].data.fd);
            }
            runDeferred();
        }
        const std::lock_guard lock(mutex_);
        if (quit_ && commands_.empty()) {
            break;
        }
    }
    setThreadLogHandOff({});
    currentThread = nullptr;
}

void InputThread::dispatch(int fd) {
    // Held for the call: the callback may unwatch its own fd.
    const auto it = watches_.find(fd);
    if (it == watches_.end()) {
        return;
    }
    const std::shared_ptr<Watch> watch = it->second;
    watch->onReadable();
}

void InputThread::runCommands() {
    for (;;) {
        const std::function<void()>* command = nullptr;
        {
            const std::lock_guard lock(mutex_);
            if (commands_.empty()) {
                return;
            }
            command = commands_.front();
            commands_.erase(commands_.begin());
        }
        (*command)();
        {
            const std::lock_guard lock(mutex_);
            ++completed_;
            linesBeforeCommandEnd_ = logLines_.size();
        }
        commandDone_.notify_all();
    }
}

void InputThread::runDeferred() {
    while (!deferred_.empty()) {
        std::vector<std::function<void()>> tasks;
        tasks.swap(deferred_);
        for (const std::function<void()>& task : tasks) {
            task();
        }
    }
}

} // namespace bindwell::linuxplatform
