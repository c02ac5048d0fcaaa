// The hand-off between the main thread and the input thread, with the engine
// on the simulated platform but its input loop on a real InputThread. Input
// arrives through a pipe the input thread watches, as a node's events would,
// while the main thread sends its commands. Meant to run under TSan too.
#include "EngineHarness.h"
#include "platform/linux/InputThread.h"
#include "platform/linux/MonotonicClock.h"

#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kVolumeUp = 0xE9;
constexpr uint32_t kNext = 0xB5;
constexpr uint32_t kBack = 0xB6;

// One value for the interface "a", and the time it arrives.
struct Message {
    uint32_t usage;
    int32_t value;
    double time;
};

// Volume up taps Escape, next holds a click, back taps Tab, or Escape held
// and Enter tapped twice.
class ThreadedEngine {
public:
    ThreadedEngine() {
        ButtonMapping back = makeMapping("back", 0x0C, kBack, RemapAction::tabKey());
        back.holdAction = RemapAction::escapeKey();
        back.doubleTapAction = RemapAction::enterKey();
        store.saveProfile(
            makeProfile({makeMapping("vu", 0x0C, kVolumeUp, RemapAction::escapeKey()),
                         makeMapping("next", 0x0C, kNext, RemapAction::holdLeftClick()), back}));
        if (pipe2(pipeFds_, O_CLOEXEC | O_NONBLOCK) != 0) {
            throw std::runtime_error("pipe");
        }
        thread.call([this] {
            (void)platform.addInterface("a", kRemoteVendor, kRemoteProduct, "Remote");
            thread.watch(pipeFds_[0], [this] { receive(); });
        });
        engine.start();
    }
    ~ThreadedEngine() {
        thread.call([this] { thread.unwatch(pipeFds_[0]); });
        ::close(pipeFds_[0]);
        ::close(pipeFds_[1]);
    }

    void send(uint32_t usage, int32_t value, double time) {
        const Message message{usage, value, time};
        ASSERT_EQ(::write(pipeFds_[1], &message, sizeof message), ssize_t(sizeof message));
        ++sent_;
    }
    void pressAndRelease(uint32_t usage, double time) {
        send(usage, 1, time);
        send(usage, 0, time + 0.01);
    }
    // Until the input thread has taken in everything sent.
    void waitForInput() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return received_.load() >= sent_; }, 5000));
    }
    // What was posted, read on the input thread between two frames.
    std::vector<std::string> posted() {
        std::vector<std::string> events;
        thread.call([&] { events = platform.poster().descriptions(); });
        return events;
    }

    linuxplatform::InputThread thread;
    sim::SimPlatform platform{thread};
    QTemporaryDir folder;
    ConfigStore store{folder.path()};
    HIDInterceptor engine{platform, store};

private:
    void receive() {
        Message message{};
        while (::read(pipeFds_[0], &message, sizeof message) == ssize_t(sizeof message)) {
            platform.simClock().set(message.time);
            (void)platform.sendValue("a", 0x0C, message.usage, message.value);
            ++received_;
        }
    }

    int pipeFds_[2] = {-1, -1};
    long sent_ = 0;
    std::atomic<long> received_ = 0;
};

// A burst of taps with a profile edit after the 50th press and a stop after
// the 150th, while the input thread still reads the pipe.
TEST(InputHandOff, AnEditMidBurstSwapsBetweenPressesAndAStopLeavesNoHalfTap) {
    ThreadedEngine harness;
    for (int i = 0; i < 200; ++i) {
        harness.pressAndRelease(kVolumeUp, 2000.0 + i);
        if (i == 50) {
            harness.store.updateMapping("remote", "vu", RemapAction::tabKey());
        } else if (i == 150) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return harness.engine.lastEvent() == "Label vu → Tab"; }, 5000));
            harness.engine.stop();
        }
    }
    harness.waitForInput();
    const std::vector<std::string> posted = harness.posted();
    // Every press posts a whole tap of one key: Escape before the edit, Tab
    // after it, never one after the other has begun, and nothing after the
    // stop: at most the 151 presses sent before it.
    ASSERT_EQ(posted.size() % 2, 0U);
    EXPECT_LE(posted.size(), 302U);
    const auto firstTab = std::find(posted.begin(), posted.end(), "post KEY_TAB down");
    ASSERT_NE(firstTab, posted.end());
    for (auto event = posted.begin(); event != posted.end(); ++event) {
        EXPECT_EQ(*event, std::string(event < firstTab ? "post KEY_ESC" : "post KEY_TAB") +
                              ((event - posted.begin()) % 2 == 0 ? " down" : " up"));
    }
    EXPECT_FALSE(harness.engine.isRunning());
}

TEST(InputHandOff, ShutdownLetsGoOfAClickHeldOnTheInputThread) {
    ThreadedEngine harness;
    harness.send(kNext, 1, 4000.0);
    harness.waitForInput();
    harness.engine.shutdown();
    EXPECT_EQ(harness.posted(),
              (std::vector<std::string>{"post BTN_LEFT down", "post BTN_LEFT up"}));
    EXPECT_FALSE(harness.engine.isRunning());
}

// Times here are the real monotonic clock's, which the thread's timer runs on.
TEST(InputHandOff, AGestureDeadlineWakesTheThreadAndAStopDisarmsIt) {
    ThreadedEngine harness;
    const linuxplatform::MonotonicClock clock;
    const double start = clock.uptimeSeconds();
    harness.send(kBack, 1, start);
    ASSERT_TRUE(QTest::qWaitFor([&] { return harness.posted().size() == 2; }, 5000));
    EXPECT_GE(clock.uptimeSeconds() - start, 0.4);
    harness.send(kBack, 0, start + 0.5);
    // A tap whose window is still open when remapping stops is never performed.
    harness.pressAndRelease(kBack, start + 1.0);
    harness.waitForInput();
    harness.engine.stop();
    QTest::qWait(std::max(0, static_cast<int>((start + 1.5 - clock.uptimeSeconds()) * 1000)));
    EXPECT_EQ(harness.posted(), (std::vector<std::string>{"post KEY_ESC down", "post KEY_ESC up"}));
}

// A burst is coalesced per controller: every controller's menu line ends on
// its own last event, and the most recent event of all comes last.
TEST(InputHandOff, LastEventsAreCoalescedPerControllerMostRecentLast) {
    linuxplatform::InputThread thread;
    std::vector<std::pair<uint32_t, uint32_t>> delivered;
    thread.setTextReceiver([&](const TextRecord& record, bool) {
        delivered.emplace_back(record.controller, record.usage);
    });
    thread.call([&thread] {
        std::vector<TextRecord> burst;
        for (const auto& [controller, usage] : {std::pair{1U, 1U}, {2U, 2U}, {1U, 3U}, {1U, 4U}}) {
            TextRecord& record = burst.emplace_back();
            record.kind = TextRecord::Kind::unmappedEvent;
            record.controller = controller;
            record.usage = usage;
        }
        thread.handOff(burst);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delivered.empty(); }, 5000));
    EXPECT_EQ(delivered, (std::vector<std::pair<uint32_t, uint32_t>>{{2, 2}, {1, 4}}));
    thread.setTextReceiver({});
}

} // namespace
} // namespace bindwell::test
