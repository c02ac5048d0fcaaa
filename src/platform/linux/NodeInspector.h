// Any thread; the handle it opens stays on the calling thread.
#pragma once

#include "platform/linux/EvdevHandle.h"
#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/NodeClassifier.h"

#include <memory>

namespace bindwell::linuxplatform {

struct InspectedNode {
    InputNodeInfo info;
    NodeVerdict verdict = NodeVerdict::unreadable;
    int openError = 0;
    // Open whenever the node could be opened, whatever the verdict.
    std::unique_ptr<EvdevHandle> handle;
};

// Opens the node (unless it is one of ours) and decides what it is.
[[nodiscard]] InspectedNode inspectNode(InputNodeInfo info);

// "/dev/input/event3: no read permission (Permission denied)".
[[nodiscard]] std::string describeSkip(const InspectedNode& node);

} // namespace bindwell::linuxplatform
