#include "EvdevProbe.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace vmtest {
namespace {

std::string readLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

unsigned readHex(const std::string& path) {
    const std::string text = readLine(path);
    return text.empty() ? 0 : static_cast<unsigned>(std::stoul(text, nullptr, 16));
}

} // namespace

std::vector<NodeDescription> listNodes() {
    std::vector<NodeDescription> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/input", error)) {
        const std::string name = entry.path().filename();
        if (!name.starts_with("event")) {
            continue;
        }
        const std::string base = entry.path().string() + "/device/";
        // The device link ends in the parent's name, inputN.
        const std::string parent =
            std::filesystem::read_symlink(entry.path() / "device", error).filename();
        nodes.push_back({.devnode = "/dev/input/" + name,
                         .name = readLine(base + "name"),
                         .phys = readLine(base + "phys"),
                         .uniq = readLine(base + "uniq"),
                         .vendor = readHex(base + "id/vendor"),
                         .product = readHex(base + "id/product"),
                         .inputId = parent.starts_with("input") ? std::atoi(&parent[5]) : -1});
    }
    return nodes;
}

std::optional<NodeDescription>
waitForNode(const std::function<bool(const NodeDescription&)>& accept, int timeoutMs) {
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    do {
        for (const NodeDescription& node : listNodes()) {
            if (accept(node)) {
                return node;
            }
        }
        sleepMs(20);
    } while (nowMicros() < deadline);
    return std::nullopt;
}

std::optional<std::vector<unsigned>> heldCodes(const std::string& devnode) {
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    unsigned char bits[KEY_MAX / 8 + 1] = {};
    const bool read = ioctl(fd, EVIOCGKEY(sizeof bits), bits) >= 0;
    ::close(fd);
    if (!read) {
        return std::nullopt;
    }
    std::vector<unsigned> held;
    for (unsigned code = 0; code <= KEY_MAX; ++code) {
        if ((bits[code / 8] >> (code % 8)) & 1) {
            held.push_back(code);
        }
    }
    return held;
}

int tryGrab(const std::string& devnode) {
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -errno;
    }
    int result = 0;
    if (ioctl(fd, EVIOCGRAB, 1) < 0) {
        result = -errno;
    } else {
        ioctl(fd, EVIOCGRAB, 0);
    }
    ::close(fd);
    return result;
}

EvdevReader::EvdevReader(const std::string& devnode)
    : fd_(::open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    int clock = CLOCK_MONOTONIC;
    ioctl(fd_, EVIOCSCLOCKID, &clock);
}

EvdevReader::~EvdevReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::optional<input_event> EvdevReader::next(unsigned type, int timeoutMs) {
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    for (;;) {
        input_event event{};
        if (::read(fd_, &event, sizeof event) == static_cast<ssize_t>(sizeof event)) {
            if (event.type == type) {
                return event;
            }
            continue;
        }
        const long long left = deadline - nowMicros();
        if (left <= 0) {
            return std::nullopt;
        }
        pollfd pfd{fd_, POLLIN, 0};
        ::poll(&pfd, 1, static_cast<int>(left / 1000) + 1);
    }
}

bool EvdevReader::expectKeys(const std::vector<KeyEvent>& expected, int timeoutMs,
                             std::vector<KeyEvent>* seen) {
    const long long deadline = nowMicros() + timeoutMs * 1000LL;
    size_t matched = 0;
    while (matched < expected.size()) {
        const long long left = (deadline - nowMicros()) / 1000;
        const std::optional<input_event> event = next(EV_KEY, left > 0 ? int(left) : 0);
        if (!event) {
            return false;
        }
        const KeyEvent key{event->code, event->value};
        if (seen) {
            seen->push_back(key);
        }
        if (key == expected[matched]) {
            ++matched;
        }
    }
    return true;
}

std::vector<KeyEvent> EvdevReader::keysWithin(int windowMs) {
    std::vector<KeyEvent> keys;
    const long long deadline = nowMicros() + windowMs * 1000LL;
    for (long long left = windowMs; left > 0; left = (deadline - nowMicros()) / 1000) {
        if (const std::optional<input_event> event = next(EV_KEY, int(left))) {
            keys.push_back({event->code, event->value});
        }
    }
    return keys;
}

std::string describe(const std::vector<KeyEvent>& keys) {
    std::string text;
    for (const KeyEvent& key : keys) {
        text += "(" + std::to_string(key.code) + "," + std::to_string(key.value) + ") ";
    }
    return text.empty() ? "nothing" : text;
}

long long nowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace vmtest
