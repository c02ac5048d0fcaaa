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

namespace bindwell::linuxplatform {
namespace {

// The layout of /sys/class/input/inputN/capabilities/key: 64-bit hex words,
// the highest first, leading zero words left out.
TEST(SysfsBitmap, FindsBitsCountedFromTheLastWord) {
    const std::string volumeKeys = "3 0"; // bits 64 and 65
    EXPECT_TRUE(sysfsBitmapHas(volumeKeys, 64));
    EXPECT_TRUE(sysfsBitmapHas(volumeKeys, 65));
    EXPECT_FALSE(sysfsBitmapHas(volumeKeys, 66));
    EXPECT_FALSE(sysfsBitmapHas(volumeKeys, 0));
    EXPECT_FALSE(sysfsBitmapHas(volumeKeys, 200));
    EXPECT_TRUE(sysfsBitmapHas("8000000000000000\n", 63));
    EXPECT_FALSE(sysfsBitmapHas("", 1));
    EXPECT_FALSE(sysfsBitmapHas("zz", 1));
}

} // namespace
} // namespace bindwell::linuxplatform
