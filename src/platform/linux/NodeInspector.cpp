#include "platform/linux/NodeInspector.h"

#include <cstring>

namespace bindwell::linuxplatform {

InspectedNode inspectNode(InputNodeInfo info) {
    InspectedNode node;
    NodeFacts facts{info.phys, 0, info.hasConsumerKeys};
    if (!isOwnVirtualDevice(info.phys)) {
        EvdevHandle::OpenResult opened = EvdevHandle::open(info.devnode);
        facts.openError = opened.error;
        node.handle = std::move(opened.handle);
    }
    node.verdict = classifyNode(facts);
    node.openError = facts.openError;
    node.info = std::move(info);
    return node;
}

std::string describeSkip(const InspectedNode& node) {
    std::string text = node.info.devnode + ": " + std::string(describeVerdict(node.verdict));
    if (node.openError != 0) {
        text += " (" + std::string(std::strerror(node.openError)) + ")";
    }
    return text;
}

} // namespace bindwell::linuxplatform
