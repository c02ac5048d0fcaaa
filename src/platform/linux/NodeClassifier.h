// Any thread.
#pragma once

#include <string>
#include <string_view>

namespace bindwell::linuxplatform {

// What the backend needs to know about an input node to decide whether it is
// a consumer-control interface it should follow.
struct NodeFacts {
    std::string phys;
    int openError = 0;            // errno of opening the node, 0 when it opened
    bool hasConsumerKeys = false; // from sysfs, known without opening
};

enum class NodeVerdict {
    consumerControl,
    ownVirtualDevice,
    vanished,
    unreadable,
    // A consumer-control interface this user may not read yet: listed, so it
    // can be picked and granted, but it cannot be captured.
    unreadableConsumerControl,
    notAnInputNode,
    noConsumerKeys,
};

[[nodiscard]] NodeVerdict classifyNode(const NodeFacts& facts);

// A few words for why a node was passed over ("no consumer keys").
[[nodiscard]] std::string_view describeVerdict(NodeVerdict verdict);

// Our uinput devices carry this prefix in their phys, so that neither the
// manager nor the tap ever captures what Bindwell itself emits.
inline constexpr std::string_view kOwnPhysPrefix = "bindwell";

[[nodiscard]] bool isOwnVirtualDevice(std::string_view phys);

} // namespace bindwell::linuxplatform
