// Main thread only.
#pragma once

#include "platform/linux/NodeClassifier.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bindwell::linuxplatform {

// One evdev node as the HID manager judged it, for diagnostics.
struct SurveyedNode {
    std::string devnode;
    std::string name;
    int64_t vendorID = 0;
    int64_t productID = 0;
    NodeVerdict verdict = NodeVerdict::unreadable;
    // "/dev/input/event3: no read permission (Permission denied)".
    std::string verdictText;
};

// Every evdev node present now; each is opened and closed again at once.
[[nodiscard]] std::vector<SurveyedNode> surveyInputNodes();

} // namespace bindwell::linuxplatform
