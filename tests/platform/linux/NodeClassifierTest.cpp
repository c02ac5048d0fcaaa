#include "platform/linux/NodeClassifier.h"

#include "platform/linux/NodeInspector.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

TEST(NodeClassifier, OwnDevicesFirstThenWhatOpeningTheNodeSaid) {
    const std::vector<std::pair<NodeFacts, NodeVerdict>> cases{
        {{"bindwell/virtual", 0, true}, NodeVerdict::ownVirtualDevice},
        {{"bindwell/tap", EACCES, false}, NodeVerdict::ownVirtualDevice},
        {{"usb-0000:00:14.0-1/input1", 0, true}, NodeVerdict::consumerControl},
        {{"usb/bindwell", 0, true}, NodeVerdict::consumerControl}, // only a prefix marks ours
        {{"isa0060/serio0/input0", 0, false}, NodeVerdict::noConsumerKeys},
        {{"", ENODEV, false}, NodeVerdict::vanished},
        {{"", EACCES, false}, NodeVerdict::unreadable},
        {{"", EPERM, false}, NodeVerdict::unreadable},
        // A closed consumer-control node is still a controller, listed before access is granted.
        {{"", EACCES, true}, NodeVerdict::unreadableConsumerControl},
    };
    for (const auto& [facts, verdict] : cases) {
        EXPECT_EQ(classifyNode(facts), verdict) << facts.phys << " " << facts.openError;
    }
}

// A node gone since the scan, a file that is no input node, and one of ours,
// which is never opened (the missing path would fail if it were).
TEST(NodeInspector, WhatOpeningANodeSaysDecidesItsVerdict) {
    const std::vector<std::tuple<std::string, std::string, NodeVerdict>> cases{
        {"/dev/input/event-unplugged", "", NodeVerdict::vanished},
        {"/dev/null", "", NodeVerdict::notAnInputNode},
        {"/dev/input/event-missing", "bindwell/tap", NodeVerdict::ownVirtualDevice},
    };
    for (const auto& [devnode, phys, verdict] : cases) {
        InputNodeInfo info;
        info.devnode = devnode;
        info.phys = phys;
        const InspectedNode node = inspectNode(info);
        EXPECT_EQ(node.verdict, verdict) << devnode;
        EXPECT_FALSE(node.handle) << devnode;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
