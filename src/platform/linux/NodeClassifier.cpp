#include "platform/linux/NodeClassifier.h"

#include <cerrno>

namespace bindwell::linuxplatform {

bool isOwnVirtualDevice(std::string_view phys) {
    return phys.starts_with(kOwnPhysPrefix);
}

NodeVerdict classifyNode(const NodeFacts& facts) {
    // Our own devices are recognised before anything is opened, so they are
    // never read, let alone grabbed.
    if (isOwnVirtualDevice(facts.phys)) {
        return NodeVerdict::ownVirtualDevice;
    }
    switch (facts.openError) {
    case 0:
        break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return NodeVerdict::vanished;
    case EACCES:
    case EPERM:
        return facts.hasConsumerKeys ? NodeVerdict::unreadableConsumerControl
                                     : NodeVerdict::unreadable;
    default:
        return NodeVerdict::notAnInputNode;
    }
    return facts.hasConsumerKeys ? NodeVerdict::consumerControl : NodeVerdict::noConsumerKeys;
}

std::string_view describeVerdict(NodeVerdict verdict) {
    switch (verdict) {
    case NodeVerdict::consumerControl:
        return "consumer-control interface";
    case NodeVerdict::ownVirtualDevice:
        return "our own virtual device";
    case NodeVerdict::vanished:
        return "gone before it could be opened";
    case NodeVerdict::unreadable:
    case NodeVerdict::unreadableConsumerControl:
        return "no read permission";
    case NodeVerdict::notAnInputNode:
        return "cannot be opened as an input device";
    case NodeVerdict::noConsumerKeys:
        return "no consumer keys";
    }
    return "";
}

} // namespace bindwell::linuxplatform
