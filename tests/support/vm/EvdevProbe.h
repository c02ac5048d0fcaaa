#pragma once

#include <functional>
#include <linux/input.h>
#include <optional>
#include <string>
#include <vector>

namespace vmtest {

struct NodeDescription {
    std::string devnode;
    std::string name;
    std::string phys;
    std::string uniq;
    unsigned vendor = 0;
    unsigned product = 0;
    // N of the parent inputN: unlike the event node's number, never reused.
    int inputId = -1;
};

[[nodiscard]] std::vector<NodeDescription> listNodes();
// Waits up to timeoutMs for a node the predicate accepts.
[[nodiscard]] std::optional<NodeDescription>
waitForNode(const std::function<bool(const NodeDescription&)>& accept, int timeoutMs);

// The key and button codes down on the node, or nothing when it cannot be read.
[[nodiscard]] std::optional<std::vector<unsigned>> heldCodes(const std::string& devnode);

// Tries to grab the node; answers 0 or -errno and lets go again at once.
[[nodiscard]] int tryGrab(const std::string& devnode);

struct KeyEvent {
    unsigned code = 0;
    int value = 0;
    bool operator==(const KeyEvent&) const = default;
};

// Reads one node from the moment it is opened, its events stamped on the
// clock of nowMicros().
class EvdevReader {
public:
    explicit EvdevReader(const std::string& devnode);
    ~EvdevReader();
    EvdevReader(const EvdevReader&) = delete;
    EvdevReader& operator=(const EvdevReader&) = delete;

    [[nodiscard]] bool ok() const { return fd_ >= 0; }
    // The next event of the given type within the timeout.
    [[nodiscard]] std::optional<input_event> next(unsigned type, int timeoutMs);
    // Collects key events until `expected` has been seen in order (other key
    // events in between are recorded too) or the timeout passes.
    [[nodiscard]] bool expectKeys(const std::vector<KeyEvent>& expected, int timeoutMs,
                                  std::vector<KeyEvent>* seen = nullptr);
    // Every key event that arrives within the window.
    [[nodiscard]] std::vector<KeyEvent> keysWithin(int windowMs);

private:
    int fd_ = -1;
};

std::string describe(const std::vector<KeyEvent>& keys);

// Monotonic microseconds.
[[nodiscard]] long long nowMicros();
void sleepMs(int ms);

} // namespace vmtest
