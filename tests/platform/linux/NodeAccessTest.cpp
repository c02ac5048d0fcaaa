#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/NodeSurvey.h"

#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

// Key bitmaps as sysfs prints them on a 64-bit machine.
TEST(ConsumerKeysFromSysfs, FoundInTheirWordCountedFromTheRight) {
    // Volume up (115) alone: bit 51 of the second word.
    EXPECT_TRUE(bitmapHasConsumerKeys("8000000000000 0"));
    // Play/pause (164) alone: bit 36 of the third word, with a newline after.
    EXPECT_TRUE(bitmapHasConsumerKeys("1000000000 0 0\n"));
    // A mouse's buttons (BTN_LEFT..BTN_TASK, 272..279) carry no media key.
    EXPECT_FALSE(bitmapHasConsumerKeys("ff0000 0 0 0 0"));
    // The same bit in the wrong word is another key.
    EXPECT_FALSE(bitmapHasConsumerKeys("8000000000000"));
    EXPECT_FALSE(bitmapHasConsumerKeys("0"));
    EXPECT_FALSE(bitmapHasConsumerKeys(""));
    EXPECT_FALSE(bitmapHasConsumerKeys("zz 0"));
    // A 32-bit kernel prints 32-bit words: volume up is bit 19 of the fourth.
    EXPECT_TRUE(bitmapHasConsumerKeys("80000 0 0 0", 32));
    EXPECT_FALSE(bitmapHasConsumerKeys("80000 0 0 0", 64));
}

SurveyedNode node(int64_t vendor, int64_t product, NodeVerdict verdict) {
    SurveyedNode surveyed;
    surveyed.vendorID = vendor;
    surveyed.productID = product;
    surveyed.verdict = verdict;
    return surveyed;
}

TEST(ControllerAccess, EveryNodeOfTheDeviceMustBeReadable) {
    const std::vector<SurveyedNode> survey{
        node(0x56e, 0x156, NodeVerdict::consumerControl),
        node(0x56e, 0x156, NodeVerdict::unreadable), // its mouse node
        node(0x1, 0x1, NodeVerdict::unreadable),     // a keyboard
    };
    EXPECT_FALSE(canReadEveryNode(survey, 0x56e, 0x156));
    EXPECT_FALSE(canReadSomeController(survey));

    std::vector<SurveyedNode> granted = survey;
    granted[1].verdict = NodeVerdict::noConsumerKeys;
    EXPECT_TRUE(canReadEveryNode(granted, 0x56e, 0x156));
    EXPECT_TRUE(canReadSomeController(granted)) << "another device's closed keyboard is no concern";
}

TEST(ControllerAccess, OurOwnDevicesAndVanishedNodesDoNotCountButSomethingMustBeThere) {
    const std::vector<SurveyedNode> survey{
        node(0x56e, 0x156, NodeVerdict::consumerControl),
        node(0x56e, 0x156, NodeVerdict::ownVirtualDevice),
        node(0x56e, 0x156, NodeVerdict::vanished),
    };
    EXPECT_TRUE(canReadEveryNode(survey, 0x56e, 0x156));
    EXPECT_FALSE(canReadEveryNode(survey, 0x46d, 0xc52b)) << "a device that is not plugged in";
    EXPECT_FALSE(canReadSomeController({node(0x56e, 0x156, NodeVerdict::noConsumerKeys)}));
    EXPECT_FALSE(
        canReadSomeController({node(0x56e, 0x156, NodeVerdict::unreadableConsumerControl)}));
}

} // namespace
} // namespace bindwell::linuxplatform
