// What the input thread spends on one button event (press and release), for
// callgrind: the engine runs on a real InputThread, and the controller's
// frames (MSC_SCAN, EV_KEY, SYN_REPORT) arrive through a pipe that thread
// watches, one frame per write as a person's presses do. The input thread
// reads each readiness with one read(), repairs drops (EvdevStream), turns
// events into HID values (EvdevTranslator), decides, posts and hands its
// records off; the main thread formats the log lines and lastEvent texts.
// Only the device differs from the real path: a pipe instead of an evdev
// node, and the simulated platform's recording poster instead of the uinput
// write (neither system call is counted by callgrind anyway).
//
// With several controllers, each is a unit of the same model with its own
// profile (named by serial number), and the events go round them in turn,
// so that no press finds its controller where the last one left it.
//
// With --app-rules, every button carries three application rules and an
// application none of them names has the focus: what rules add to a press.
//
// With --keyboard mapped|passed, the controller is a keyboard-key device (a
// presenter) and the key pressed is Page Down, mapped to Escape, or F5,
// which no mapping names and so passes through unchanged: what passing a key
// costs next to remapping it.
//
//   InputPathBenchmark --events N [--controllers K] [--app-rules] [--keyboard mapped|passed]
//   bench/input-path-callgrind.sh     instructions per event for each thread
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "model/DefaultProfiles.h"
#include "model/HidUsages.h"
#include "platform/linux/EvdevStream.h"
#include "platform/linux/EvdevTranslator.h"
#include "platform/linux/InputThread.h"
#include "platform/sim/SimPlatform.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace bindwell {
namespace {

constexpr int64_t kVendor = 0x1234;
constexpr int64_t kProduct = 0x5678;
// How many events go by between two turns of the main thread's event loop,
// which is where the texts are written.
constexpr int kEventsPerTurn = 50;

enum class Keys : uint8_t { consumer, keyboardMapped, keyboardPassed };

struct Options {
    int events = 0;
    int controllers = 1;
    bool appRules = false;
    Keys keys = Keys::consumer;
};

// The frame a press or release sends, and the lastEvent it ends with.
struct PressedKey {
    uint32_t scanCode;
    uint16_t key;
    const char* lastEvent;
};

PressedKey pressedKey(Keys keys) {
    switch (keys) {
    case Keys::keyboardMapped:
        return {0x70000 | 0x4E, KEY_PAGEDOWN, "Page Down → Escape"};
    case Keys::keyboardPassed:
        return {0x70000 | 0x3E, KEY_F5, "Unmapped: page=0x7 usage=0x3e"};
    case Keys::consumer:
        break;
    }
    return {0xC0000 | hid::kVolumeUp, KEY_VOLUMEUP, "Volume Up → Escape"};
}

DeviceProfile benchProfile(const std::string& serialNumber, bool appRules) {
    const DetectedHIDDevice remote{.id = "4660:22136",
                                   .name = "Remote",
                                   .manufacturer = "Acme",
                                   .vendorID = kVendor,
                                   .productID = kProduct,
                                   .transport = "USB"};
    DeviceProfile profile = defaultProfile(remote);
    profile.id += "_" + serialNumber;
    profile.serialNumber = serialNumber;
    for (ButtonMapping& mapping : profile.buttonMappings) {
        if (mapping.source.usageID == hid::kVolumeUp) {
            mapping.action = RemapAction::escapeKey();
        }
        if (appRules) {
            mapping.appOverrides = {{"libreoffice-impress", RemapAction::enterKey()},
                                    {"org.kde.okular", RemapAction::tabKey()},
                                    {"*firefox*", RemapAction::spaceBar()}};
        }
    }
    profile.buttonMappings.push_back({.id = "page_down",
                                      .source = {.usagePage = hid::kKeyboardPage, .usageID = 0x4E},
                                      .action = RemapAction::escapeKey(),
                                      .label = "Page Down",
                                      .isRemappable = true});
    return profile;
}

input_event raw(uint16_t type, uint16_t code, int32_t value) {
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

class InputPath {
public:
    explicit InputPath(const Options& options) : key_(pressedKey(options.keys)) {
        if (pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) {
            std::perror("pipe");
            std::exit(1);
        }
        for (int i = 0; i < options.controllers; ++i) {
            units_.push_back("unit-" + std::to_string(i));
            store_.saveProfile(benchProfile(units_.back(), options.appRules));
        }
        engine_.setFocusedApp({.appId = "org.gnome.TextEditor", .wmClass = "", .title = ""});
        // Present before the start, so that each is matched with its serial number.
        thread_.call([this, &options] {
            for (const std::string& unit : units_) {
                platform_
                    .addInterface(unit, kVendor, kProduct, "Remote",
                                  options.keys == Keys::consumer ? HidInterfaceKind::consumerControl
                                                                 : HidInterfaceKind::keyboardKeys)
                    ->description()
                    .serialNumber = unit;
            }
            thread_.watch(fds_[0], [this] { readPending(); });
        });
        engine_.start();
        QCoreApplication::processEvents();
    }
    ~InputPath() {
        thread_.call([this] { thread_.unwatch(fds_[0]); });
        ::close(fds_[0]);
        ::close(fds_[1]);
    }

    void pressAndRelease(int count) {
        for (int i = 0; i < count; ++i) {
            sendFrame(1);
            sendFrame(0);
            if (i % kEventsPerTurn == 0) {
                QCoreApplication::processEvents();
            }
        }
        QCoreApplication::processEvents();
    }

    // Once the input thread has handed its texts over (it waits for a quiet moment).
    [[nodiscard]] bool reachedTheEngine() const {
        for (int turn = 0; turn < 100 && engine_.lastEvent() != key_.lastEvent; ++turn) {
            QThread::msleep(10);
            QCoreApplication::processEvents();
        }
        return engine_.lastEvent() == key_.lastEvent;
    }

private:
    void sendFrame(int32_t value) {
        const input_event frame[] = {raw(EV_MSC, MSC_SCAN, static_cast<int32_t>(key_.scanCode)),
                                     raw(EV_KEY, key_.key, value), raw(EV_SYN, SYN_REPORT, 0)};
        const long before = handled_.load();
        if (::write(fds_[1], frame, sizeof frame) != sizeof frame) {
            std::perror("write");
            std::exit(1);
        }
        handled_.wait(before);
    }

    // The input thread's side: the same steps a seized node's readiness takes.
    void readPending() {
        input_event events[64];
        const ssize_t bytes = ::read(fds_[0], events, sizeof events);
        if (bytes <= 0) {
            return;
        }
        // A second apart, so the repeat filter lets every press through.
        platform_.simClock().set(platform_.simClock().uptimeSeconds() + 0.5);
        // A press and its release come from one unit; the next press from the next.
        const std::string& unit = units_[(frames_++ / 2) % units_.size()];
        (void)stream_.feed(
            std::span(events, static_cast<size_t>(bytes) / sizeof(input_event)),
            [this, &unit](const linuxplatform::EvdevEvent& event) {
                for (const linuxplatform::HidRecord& record : translator_.translate(event)) {
                    (void)platform_.sendValue(unit, record.page, record.usage, record.value);
                }
                return true;
            });
        platform_.poster().clear();
        handled_.fetch_add(1);
        handled_.notify_one();
    }

    PressedKey key_;
    int fds_[2] = {-1, -1};
    std::vector<std::string> units_;
    size_t frames_ = 0;
    std::atomic<long> handled_{0};
    linuxplatform::EvdevStream stream_{{}};
    // A remote whose buttons are plain variable fields: one record per key.
    linuxplatform::EvdevTranslator translator_{[](uint32_t, uint32_t) { return false; }};
    QTemporaryDir folder_;
    linuxplatform::InputThread thread_;
    sim::SimPlatform platform_{thread_};
    ConfigStore store_{folder_.path()};
    HIDInterceptor engine_{platform_, store_};
};

} // namespace
} // namespace bindwell

namespace {

std::optional<bindwell::Options> parse(int argc, char* argv[]) {
    bindwell::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        if (flag == "--events" && i + 1 < argc) {
            options.events = std::atoi(argv[++i]);
        } else if (flag == "--controllers" && i + 1 < argc) {
            options.controllers = std::max(1, std::atoi(argv[++i]));
        } else if (flag == "--app-rules") {
            options.appRules = true;
        } else if (flag == "--keyboard" && i + 1 < argc) {
            const std::string_view keys = argv[++i];
            if (keys != "mapped" && keys != "passed") {
                return std::nullopt;
            }
            options.keys =
                keys == "mapped" ? bindwell::Keys::keyboardMapped : bindwell::Keys::keyboardPassed;
        } else {
            return std::nullopt;
        }
    }
    return options.events > 0 ? std::optional(options) : std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace bindwell;
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: %s --events N [--controllers K] [--app-rules] "
                     "[--keyboard mapped|passed]\n",
                     argv[0]);
        return 2;
    }
    // The log goes to /dev/null like a service's whose output nobody reads.
    std::FILE* report = fdopen(dup(fileno(stdout)), "w");
    if (report == nullptr || std::freopen("/dev/null", "w", stdout) == nullptr) {
        std::perror("redirecting stdout");
        return 1;
    }
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    InputPath path(*options);
    path.pressAndRelease(options->events);
    if (!path.reachedTheEngine()) {
        std::fprintf(report, "the pressed key did not reach the engine\n");
        return 1;
    }
    std::fprintf(report, "pressed and released %d times\n", options->events);
    return 0;
}
