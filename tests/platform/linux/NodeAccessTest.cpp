#include "CaseTable.h"
#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/NodeSurvey.h"

#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

TEST(KeyBitmapsFromSysfs, KeysAreFoundInTheirWordCountedFromTheRight) {
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "key-bitmaps.table", 4)) {
        std::string bitmap = row.columns[0];
        if (bitmap.ends_with("\\n")) {
            bitmap.replace(bitmap.size() - 2, 2, "\n");
        }
        const int bits = std::stoi(row.columns[1]);
        EXPECT_EQ(bitmapHasConsumerKeys(bitmap, bits), row.columns[2] == "yes")
            << "line " << row.line;
        EXPECT_EQ(bitmapIsFullKeyboard(bitmap, bits), row.columns[3] == "yes")
            << "line " << row.line;
    }
}

TEST(UnitPath, TheUsbInterfaceIsCutAndOtherPathsStayWhole) {
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "unit-paths.table", 2)) {
        EXPECT_EQ(unitPath(row.columns[0]), row.columns[1]) << "line " << row.line;
    }
}

SurveyedNode node(int64_t vendor, int64_t product, NodeVerdict verdict, bool keyboard = false) {
    SurveyedNode surveyed;
    surveyed.vendorID = vendor;
    surveyed.productID = product;
    surveyed.verdict = verdict;
    surveyed.isKeyboard = keyboard;
    return surveyed;
}

// A receiver serves a keyboard under its mouse's and remote's IDs; the grant
// never opens that node, so the check must not wait for it. Our own devices
// and vanished nodes do not count either, but something must be there.
TEST(ControllerAccess, EveryNodeOfTheDeviceMustBeReadableExceptAClosedKeyboard) {
    const std::vector<SurveyedNode> survey{
        node(0x56e, 0x156, NodeVerdict::consumerControl),
        node(0x56e, 0x156, NodeVerdict::unreadable),       // its mouse node
        node(0x56e, 0x156, NodeVerdict::unreadable, true), // its keyboard node
        node(0x56e, 0x156, NodeVerdict::ownVirtualDevice),
        node(0x56e, 0x156, NodeVerdict::vanished),
        node(0x1, 0x1, NodeVerdict::unreadable, true), // another keyboard
    };
    EXPECT_FALSE(canReadEveryNode(survey, 0x56e, 0x156, false));
    EXPECT_FALSE(canReadSomeController(survey));

    std::vector<SurveyedNode> granted = survey;
    granted[1].verdict = NodeVerdict::noConsumerKeys;
    EXPECT_TRUE(canReadEveryNode(granted, 0x56e, 0x156, false));
    EXPECT_FALSE(canReadEveryNode(granted, 0x56e, 0x156, true))
        << "the picked keys of a receiver wait for its keyboard";
    granted[2].verdict = NodeVerdict::noConsumerKeys;
    EXPECT_TRUE(canReadEveryNode(granted, 0x56e, 0x156, true));
    EXPECT_TRUE(canReadSomeController(granted)) << "another device's closed keyboard is no concern";

    EXPECT_FALSE(canReadEveryNode(granted, 0x46d, 0xc52b, false))
        << "a device that is not plugged in";
    EXPECT_FALSE(canReadEveryNode({survey[2]}, 0x56e, 0x156, false)) << "a closed keyboard alone";
    EXPECT_FALSE(canReadSomeController({node(0x56e, 0x156, NodeVerdict::noConsumerKeys)}));
    EXPECT_FALSE(
        canReadSomeController({node(0x56e, 0x156, NodeVerdict::unreadableConsumerControl)}));
}

} // namespace
} // namespace bindwell::linuxplatform
