#include "platform/linux/InputNodeInfo.h"
#include "platform/linux/NodeSurvey.h"

#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

// Key bitmaps as sysfs prints them on a 64-bit machine.
TEST(KeyBitmapsFromSysfs, KeysAreFoundInTheirWordCountedFromTheRight) {
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

    // A full keyboard has every key from Esc (1) to S (31), as udev judges.
    EXPECT_TRUE(bitmapIsFullKeyboard("1000000000 0 fffffffffffffffe"));
    EXPECT_TRUE(bitmapIsFullKeyboard("fffffffe\n", 32));
    EXPECT_FALSE(bitmapIsFullKeyboard("fffffffc")) << "no Esc";
    EXPECT_FALSE(bitmapIsFullKeyboard("fffffffe 0")) << "the same bits in the wrong word";
    EXPECT_FALSE(bitmapIsFullKeyboard("1000000000 0 0"));
    EXPECT_FALSE(bitmapIsFullKeyboard(""));
}

// Every interface of one USB unit gets its own ID_PATH; cut at the USB
// configuration, the consumer node and the mouse node name the same unit.
TEST(UnitPath, TheUsbInterfaceIsCutAndOtherPathsStayWhole) {
    const std::vector<std::pair<std::string_view, std::string_view>> cases{
        {"pci-0000:00:14.0-usb-0:1.2:1.0", "pci-0000:00:14.0-usb-0:1.2"},
        {"pci-0000:00:14.0-usb-0:1.2:1.1", "pci-0000:00:14.0-usb-0:1.2"},
        {"platform-xhci-hcd.0-usb-0:1:1.1", "platform-xhci-hcd.0-usb-0:1"},
        // A host controller named "….usb" before the USB part itself.
        {"platform-3f980000.usb-usb-0:1.3:1.0", "platform-3f980000.usb-usb-0:1.3"},
        // Already a unit: a USB device's own path, and paths that are not USB.
        {"pci-0000:00:14.0-usb-0:1.2", "pci-0000:00:14.0-usb-0:1.2"},
        {"platform-i8042-serio-0", "platform-i8042-serio-0"},
        {"acpi-PNP0C0C:00", "acpi-PNP0C0C:00"},
        {"pci-0000:00:14.0", "pci-0000:00:14.0"},
        {"", ""},
    };
    for (const auto& [idPath, unit] : cases) {
        EXPECT_EQ(unitPath(idPath), unit) << idPath;
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
