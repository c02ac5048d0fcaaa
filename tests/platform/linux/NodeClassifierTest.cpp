#include "platform/linux/NodeClassifier.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

TEST(NodeClassifier, OwnVirtualDevicesAreRecognisedFirst) {
    EXPECT_EQ(classifyNode({"bindwell/virtual", 0, true}), NodeVerdict::ownVirtualDevice);
    EXPECT_EQ(classifyNode({"bindwell/tap", EACCES, false}), NodeVerdict::ownVirtualDevice);
    EXPECT_EQ(classifyNode({"usb-0000:00:14.0-1/input1", 0, true}), NodeVerdict::consumerControl);
    // Only a prefix marks ours.
    EXPECT_EQ(classifyNode({"usb/bindwell", 0, true}), NodeVerdict::consumerControl);
    EXPECT_EQ(classifyNode({"isa0060/serio0/input0", 0, false}), NodeVerdict::noConsumerKeys);
}

TEST(NodeClassifier, OpenFailuresTellVanishedFromForbidden) {
    EXPECT_EQ(classifyNode({"", ENOENT, false}), NodeVerdict::vanished);
    EXPECT_EQ(classifyNode({"", ENODEV, false}), NodeVerdict::vanished);
    EXPECT_EQ(classifyNode({"", EACCES, false}), NodeVerdict::unreadable);
    EXPECT_EQ(classifyNode({"", EPERM, false}), NodeVerdict::unreadable);
    // A closed consumer-control node is still a controller, listed before access is granted.
    EXPECT_EQ(classifyNode({"", EACCES, true}), NodeVerdict::unreadableConsumerControl);
    EXPECT_EQ(classifyNode({"", ENOTTY, false}), NodeVerdict::notAnInputNode);
}

} // namespace
} // namespace bindwell::linuxplatform
