#include "platform/linux/NodeInspector.h"

#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

InputNodeInfo nodeAt(const std::string& devnode, const std::string& phys = "") {
    InputNodeInfo info;
    info.devnode = devnode;
    info.phys = phys;
    return info;
}

TEST(NodeInspector, ANodeGoneSinceTheScanIsReportedAsVanished) {
    const InspectedNode node = inspectNode(nodeAt("/dev/input/event-unplugged-in-between"));
    EXPECT_EQ(node.verdict, NodeVerdict::vanished);
    EXPECT_FALSE(node.handle);
    EXPECT_EQ(describeSkip(node), "/dev/input/event-unplugged-in-between: gone before it could "
                                  "be opened (No such file or directory)");
}

TEST(NodeInspector, AFileThatIsNotAnInputNodeIsNotFollowed) {
    const InspectedNode node = inspectNode(nodeAt("/dev/null"));
    EXPECT_EQ(node.verdict, NodeVerdict::notAnInputNode);
    EXPECT_FALSE(node.handle);
    EXPECT_NE(node.openError, 0);
}

TEST(NodeInspector, OurOwnDevicesAreNeverOpened) {
    const InspectedNode node = inspectNode(nodeAt("/dev/input/event-missing", "bindwell/tap"));
    EXPECT_EQ(node.verdict, NodeVerdict::ownVirtualDevice);
    EXPECT_EQ(node.openError, 0);
    EXPECT_EQ(describeSkip(node), "/dev/input/event-missing: our own virtual device");
}

} // namespace
} // namespace bindwell::linuxplatform
