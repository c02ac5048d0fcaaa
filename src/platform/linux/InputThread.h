// Created, called and destroyed on the main thread; runs its own thread.
// watch() and unwatch() are for the input thread only.
#pragma once

#include "engine/ports/InputLoop.h"

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace bindwell::linuxplatform {

// The remapping path's own thread, started at the first call. See the
// opening comment of InputThread.cpp for the design.
class InputThread final : public InputLoop {
public:
    InputThread();
    // Runs what is still queued, then ends the thread.
    ~InputThread() override;
    InputThread(const InputThread&) = delete;
    InputThread& operator=(const InputThread&) = delete;

    void call(const std::function<void()>& command) override;
    void runSoon(std::function<void()> task) override;
    void wakeAt(double deadline, std::function<void()> onDue) override;
    void cancelWake() override;
    void setTextReceiver(TextReceiver receiver) override;
    void handOff(std::span<TextRecord> records) override;

    // On the input thread only: calls `onReadable` whenever `fd` is readable
    // or hung up, until unwatch(fd); unwatching from inside a callback is safe.
    void watch(int fd, std::function<void()> onReadable);
    void unwatch(int fd);

private:
    struct Watch {
        std::function<void()> onReadable;
    };
    // A record, or a line the input thread logged itself (a device found).
    // Lines are rare, so they live on the heap and a record's entry stays small.
    struct Entry {
        TextRecord record;
        std::unique_ptr<std::string> line;
    };

    void ensureStarted();
    void run();
    void dispatch(int fd);
    void runCommands();
    [[nodiscard]] bool quitRequested();
    void runDeferred();
    void runWake();
    void runTextTimer();
    void handOffLogLine(std::string& line);
    void noteTextsWaiting();
    void wakeMainThreadForTexts();
    // Main thread: writes the handed-off lines and delivers the latest lastEvents.
    void drain();
    void deliver(Entry& entry, bool fromEventLoop);
    // Under mutex_.
    void keepLatest(TextRecord&& record);

    // The hand-off: everything below up to the thread is guarded by mutex_.
    std::mutex mutex_;
    std::condition_variable commandDone_;
    std::vector<const std::function<void()>*> commands_;
    uint64_t submitted_ = 0;
    uint64_t completed_ = 0;
    bool quit_ = false;
    std::vector<Entry> entries_;
    // How many of entries_ were there when the last command ended.
    size_t entriesBeforeCommandEnd_ = 0;
    size_t droppedEntries_ = 0;
    // The newest lastEvent of each controller: a burst is coalesced per
    // controller, so each menu line still ends on its own event.
    std::vector<TextRecord> latestLastEvents_;
    // Which of them came last.
    size_t newestLastEvent_ = 0;
    bool drainScheduled_ = false;

    // Main thread only.
    TextReceiver receiver_;
    // Swapped with entries_ on each drain, so both keep their capacity and a
    // warm hand-off allocates nothing on the input thread.
    std::vector<Entry> drained_;
    std::vector<TextRecord> drainedLastEvents_;
    QObject mainThreadContext_;

    // Input thread only (the fds are made before it starts, closed after it ends).
    int epollFd_ = -1;
    int wakeFd_ = -1;
    // One timer for the session's earliest deadline, armed only while one waits.
    int timerFd_ = -1;
    std::function<void()> onTimer_;
    bool timerArmed_ = false;
    bool usable_ = false;
    std::unordered_map<int, std::shared_ptr<Watch>> watches_;
    std::vector<std::function<void()>> deferred_;
    // When waiting texts go to the main thread. Armed once per burst rather
    // than as a timeout of every wait, so the wake-up of a press neither
    // arms nor cancels a kernel timer.
    int textTimerFd_ = -1;
    bool textsWaiting_ = false;
    std::chrono::steady_clock::time_point textsWaitingSince_;
    std::chrono::steady_clock::time_point lastTextAt_;
    std::thread thread_;
};

} // namespace bindwell::linuxplatform
