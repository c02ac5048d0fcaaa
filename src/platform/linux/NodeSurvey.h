// Main thread only.
#pragma once

#include "platform/linux/NodeClassifier.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bindwell::linuxplatform {

// One evdev node as the HID manager judged it, for diagnostics and for the
// access checks.
struct SurveyedNode {
    std::string devnode;
    std::string name;
    int64_t vendorID = 0;
    int64_t productID = 0;
    NodeVerdict verdict = NodeVerdict::unreadable;
    // "/dev/input/event3: no read permission (Permission denied)".
    std::string verdictText;
    bool isKeyboard = false;

    [[nodiscard]] bool isReadable() const {
        return verdict != NodeVerdict::unreadable &&
               verdict != NodeVerdict::unreadableConsumerControl;
    }
    [[nodiscard]] bool isConsumerControl() const {
        return verdict == NodeVerdict::consumerControl ||
               verdict == NodeVerdict::unreadableConsumerControl;
    }
};

// Every evdev node present now; each is opened and closed again at once.
[[nodiscard]] std::vector<SurveyedNode> surveyInputNodes();

// Whether every node of the device can be read, and there is at least one:
// what capturing it and tapping its other nodes needs. Our own virtual
// devices do not count, nor does a closed full keyboard under the same IDs
// (a receiver's) unless its keys were asked for: only the keyboard-key grant
// opens one.
[[nodiscard]] bool canReadEveryNode(const std::vector<SurveyedNode>& survey, int64_t vendorID,
                                    int64_t productID, bool keyboardKeysToo);

// Whether some device with a consumer-control interface can be read whole.
[[nodiscard]] bool canReadSomeController(const std::vector<SurveyedNode>& survey);

} // namespace bindwell::linuxplatform
