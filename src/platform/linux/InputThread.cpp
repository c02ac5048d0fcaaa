// The input thread: one thread that owns the remapping path.
//
// Each pass of the loop, in order:
//   1. epoll_wait on the seized consumer-control nodes, the tapped nodes, the
//      udev monitors that follow their plugging, and one eventfd for wake-ups.
//   2. For each readable node, its watcher reads what is pending with one
//      read() of raw input_events (EvdevHandle) and runs it through the
//      session: translation (EvdevTranslator or TapFrameFilter), the decision
//      core, then one uinput write for everything an input posts. What the
//      input says goes into the hand-off as small records; nothing is
//      formatted and nothing allocated here for an ordinary press.
//   3. On the eventfd: the main thread's commands (start, stop, shutdown and
//      the restarts of a profile edit), each run to completion. They run
//      between two nodes' reads, so never inside a frame, and the main thread
//      waits for each, which keeps today's order of log lines and lets stop
//      and shutdown return only once the devices are let go.
//   4. On the timerfd: the session's earliest gesture deadline has come
//      (armed absolutely on CLOCK_MONOTONIC, the clock of the input events'
//      timestamps, and disarmed whenever no gesture waits, so an idle
//      thread is never woken for it).
//   5. On the second timerfd: the texts' time to go to the main thread.
//   6. Deferred work (the managers' "matched" reports).
//
// Records go back through one mutex-guarded hand-off, after the outputs of
// the input they belong to: log records are queued (bounded; overflow is
// counted and reported) and lastEvent keeps only its latest record. The main
// thread is woken for them only once input has been quiet for a moment (or
// they have waited long enough): woken at once, it would compete for the CPU
// with whoever reads our output, right when latency counts. It then formats
// the texts and writes the lines to stdout itself, in one write, so a slow or
// full stdout stalls only the main thread, and a burst of input costs it one
// wake-up.
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
#include <cmath>
#include <cstdint>
#include <ctime>
#include <iterator>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace bindwell::linuxplatform {
namespace {

// Enough for any burst a person can produce between two main-thread turns;
// past it, lines are counted instead of kept.
constexpr size_t kMaxQueuedEntries = 4096;
constexpr int kMaxEventsPerWait = 16;
// How long input must be quiet before waiting texts go to the main thread,
// and the longest a text waits during a stream of input. A person holds a
// button for about a tenth of a second, so a press and its release share
// one wake-up of the main thread, as do the presses of a quick series; the
// menu's last-event line still follows too soon to notice.
constexpr auto kQuietTime = std::chrono::milliseconds(150);
constexpr auto kLongestTextWait = std::chrono::milliseconds(300);

// Arms `fd` for an absolute time on CLOCK_MONOTONIC (steady_clock's clock).
bool armAt(int fd, std::chrono::nanoseconds monotonic) {
    itimerspec when{};
    const auto seconds = std::chrono::floor<std::chrono::seconds>(monotonic);
    when.it_value.tv_sec = static_cast<time_t>(seconds.count());
    when.it_value.tv_nsec = static_cast<long>((monotonic - seconds).count());
    // An all-zero time would disarm the timer instead of firing it at once.
    if (when.it_value.tv_sec <= 0 && when.it_value.tv_nsec <= 0) {
        when.it_value.tv_nsec = 1;
    }
    return timerfd_settime(fd, TFD_TIMER_ABSTIME, &when, nullptr) == 0;
}

} // namespace

InputThread::InputThread()
    : epollFd_(epoll_create1(EPOLL_CLOEXEC)), wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      timerFd_(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)),
      textTimerFd_(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)) {
    const auto add = [this](int fd) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = fd;
        return fd >= 0 && epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &event) == 0;
    };
    usable_ = epollFd_ >= 0 && add(wakeFd_) && add(timerFd_) && add(textTimerFd_);
    if (!usable_) {
        log("⚠️ Could not set up the input thread (error: " + std::to_string(errno) +
            "); the controller cannot be remapped");
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
    for (const int fd : {wakeFd_, timerFd_, textTimerFd_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    if (epollFd_ >= 0) {
        ::close(epollFd_);
    }
}

void InputThread::ensureStarted() {
    if (!thread_.joinable()) {
        thread_ = std::thread([this] { run(); });
    }
}

void InputThread::call(const std::function<void()>& command) {
    // Without a thread nothing is watched, so commands simply run here.
    if (!usable_ || std::this_thread::get_id() == thread_.get_id()) {
        command();
        return;
    }
    ensureStarted();
    std::vector<Entry> entries;
    const LogBatch batch;
    {
        std::unique_lock lock(mutex_);
        commands_.push_back(&command);
        const uint64_t ticket = ++submitted_;
        const uint64_t one = 1;
        (void)::write(wakeFd_, &one, sizeof one);
        commandDone_.wait(lock, [&] { return completed_ >= ticket; });
        // Only the entries up to the command's end: what the deferred work
        // after it logs (a device found) follows whatever the caller logs
        // next, as it would on a single thread.
        const auto end =
            entries_.begin() +
            static_cast<std::ptrdiff_t>(std::min(entriesBeforeCommandEnd_, entries_.size()));
        entries.assign(std::make_move_iterator(entries_.begin()), std::make_move_iterator(end));
        entries_.erase(entries_.begin(), end);
        entriesBeforeCommandEnd_ = 0;
    }
    for (Entry& entry : entries) {
        deliver(entry, false);
    }
}

void InputThread::setTextReceiver(TextReceiver receiver) {
    receiver_ = std::move(receiver);
}

void InputThread::handOff(std::span<TextRecord> records) {
    {
        const std::lock_guard lock(mutex_);
        for (TextRecord& record : records) {
            if (record.isLastEvent()) {
                keepLatest(std::move(record));
            } else if (entries_.size() < kMaxQueuedEntries) {
                entries_.push_back({.record = std::move(record), .line = nullptr});
            } else {
                ++droppedEntries_;
            }
        }
    }
    noteTextsWaiting();
}

void InputThread::keepLatest(TextRecord&& record) {
    auto& latest = latestLastEvents_;
    const auto kept = std::find_if(latest.begin(), latest.end(), [&](const TextRecord& r) {
        return r.controller == record.controller;
    });
    if (kept != latest.end()) {
        *kept = std::move(record);
        newestLastEvent_ = static_cast<size_t>(kept - latest.begin());
    } else {
        newestLastEvent_ = latest.size();
        latest.push_back(std::move(record));
    }
}

void InputThread::handOffLogLine(std::string& line) {
    {
        const std::lock_guard lock(mutex_);
        if (entries_.size() < kMaxQueuedEntries) {
            entries_.push_back(
                {.record = {}, .line = std::make_unique<std::string>(std::move(line))});
        } else {
            ++droppedEntries_;
        }
    }
    noteTextsWaiting();
}

void InputThread::noteTextsWaiting() {
    lastTextAt_ = std::chrono::steady_clock::now();
    if (!textsWaiting_) {
        textsWaiting_ = true;
        textsWaitingSince_ = lastTextAt_;
        if (!armAt(textTimerFd_, (lastTextAt_ + kQuietTime).time_since_epoch())) {
            wakeMainThreadForTexts();
        }
    }
}

void InputThread::runTextTimer() {
    uint64_t expirations = 0;
    (void)::read(textTimerFd_, &expirations, sizeof expirations);
    if (!textsWaiting_) {
        return;
    }
    const auto due = std::min(lastTextAt_ + kQuietTime, textsWaitingSince_ + kLongestTextWait);
    if (std::chrono::steady_clock::now() >= due || !armAt(textTimerFd_, due.time_since_epoch())) {
        wakeMainThreadForTexts();
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
    const LogBatch batch;
    size_t dropped = 0;
    {
        const std::lock_guard lock(mutex_);
        drained_.swap(entries_);
        drainedLastEvents_.swap(latestLastEvents_);
        // The newest goes last: it is what "the last event" of all shows.
        if (!drainedLastEvents_.empty()) {
            std::swap(drainedLastEvents_[newestLastEvent_], drainedLastEvents_.back());
        }
        entriesBeforeCommandEnd_ = 0;
        std::swap(dropped, droppedEntries_);
        drainScheduled_ = false;
    }
    for (Entry& entry : drained_) {
        deliver(entry, true);
    }
    drained_.clear();
    if (dropped > 0) {
        log("⚠️ " + std::to_string(dropped) +
            " log lines were dropped: the output could not keep up");
    }
    for (const TextRecord& lastEvent : drainedLastEvents_) {
        if (receiver_) {
            receiver_(lastEvent, true);
        }
    }
    drainedLastEvents_.clear();
}

void InputThread::deliver(Entry& entry, bool fromEventLoop) {
    if (entry.line) {
        writeLogLine(*entry.line);
    } else if (receiver_) {
        receiver_(entry.record, fromEventLoop);
    }
}

void InputThread::watch(int fd, std::function<void()> onReadable) {
    if (!usable_) {
        return;
    }
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

void InputThread::wakeAt(double deadline, std::function<void()> onDue) {
    onTimer_ = std::move(onDue);
    timerArmed_ = armAt(timerFd_, std::chrono::nanoseconds(std::llround(deadline * 1e9)));
    if (!timerArmed_) {
        log("⚠️ Could not arm the gesture timer (error: " + std::to_string(errno) + ")");
    }
}

void InputThread::cancelWake() {
    if (timerArmed_) {
        const itimerspec never{};
        (void)timerfd_settime(timerFd_, 0, &never, nullptr);
        timerArmed_ = false;
    }
}

void InputThread::runWake() {
    uint64_t expirations = 0;
    (void)::read(timerFd_, &expirations, sizeof expirations);
    // A readiness reported just before a cancel or a new request is stale.
    if (!timerArmed_ || expirations == 0) {
        return;
    }
    timerArmed_ = false;
    const std::function<void()> onTimer = std::move(onTimer_);
    onTimer();
}

void InputThread::run() {
    setThreadLogHandOff([this](std::string& line) { handOffLogLine(line); });
    epoll_event events[kMaxEventsPerWait];
    for (;;) {
        const int count = epoll_wait(epollFd_, events, kMaxEventsPerWait, -1);
        bool woken = false;
        for (int i = 0; i < count; ++i) {
            if (events[i].data.fd == wakeFd_) {
                uint64_t wakes = 0;
                (void)::read(wakeFd_, &wakes, sizeof wakes);
                runCommands();
                woken = true;
            } else if (events[i].data.fd == timerFd_) {
                runWake();
            } else if (events[i].data.fd == textTimerFd_) {
                runTextTimer();
            } else {
                dispatch(events[i].data.fd);
            }
            runDeferred();
        }
        if (woken && quitRequested()) {
            break;
        }
    }
    setThreadLogHandOff({});
}

bool InputThread::quitRequested() {
    const std::lock_guard lock(mutex_);
    return quit_ && commands_.empty();
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
            entriesBeforeCommandEnd_ = entries_.size();
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
