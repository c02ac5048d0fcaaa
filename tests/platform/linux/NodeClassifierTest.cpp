#include "platform/linux/NodeClassifier.h"

#include "platform/linux/NodeInspector.h"
#include "platform/linux/SysfsInterfaceScan.h"

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

// What the picker offers and how it names it: the USB strings, else the HID
// name, else the node's; a keyboard only when a HID device is behind it.
TEST(NodeDescription, NamesFallBackAndOnlyHidKeyboardsAreOffered) {
    struct Case {
        InputNodeInfo info;
        bool offered;
        HidDeviceDescription description;
    };
    const auto node = [](std::optional<std::string> usbProduct, std::optional<std::string> hidName,
                         std::string evdevName, bool consumer, bool keyboard,
                         std::optional<std::string> hidSyspath) {
        InputNodeInfo info;
        info.evdevName = std::move(evdevName);
        info.usbProduct = std::move(usbProduct);
        info.hidName = std::move(hidName);
        info.hidSyspath = std::move(hidSyspath);
        info.hasConsumerKeys = consumer;
        info.isKeyboard = keyboard;
        info.vendorID = 0x1a86;
        info.productID = 0xe026;
        info.bustype = 0x03;
        info.uniq = "SN1";
        return info;
    };
    const auto described = [](std::string product, HidInterfaceKind kind) {
        return HidDeviceDescription{.product = std::move(product),
                                    .transport = "USB",
                                    .vendorID = 0x1a86,
                                    .productID = 0xe026,
                                    .serialNumber = "SN1",
                                    .kind = kind};
    };
    constexpr auto consumer = HidInterfaceKind::consumerControl;
    constexpr auto keys = HidInterfaceKind::keyboardKeys;
    const std::vector<Case> cases{
        {node("Remote", "HID Remote", "Remote Consumer Control", true, false, "/hid"), true,
         described("Remote", consumer)},
        {node({}, "HID Remote", "ev", true, false, {}), true, described("HID Remote", consumer)},
        {node({}, {}, "", true, false, {}), true, described("Unknown", consumer)},
        {node({}, {}, "Power Button", false, false, {}), false,
         described("Power Button", consumer)},
        // A presenter's keyboard, and one that has media keys as well.
        {node("Presenter", {}, "ev", false, true, "/hid"), true, described("Presenter", keys)},
        {node("Receiver", {}, "ev", true, true, "/hid"), true, described("Receiver", keys)},
        // A laptop's own keyboard: no HID device behind it.
        {node({}, {}, "AT Translated Set 2 keyboard", true, true, {}), false,
         described("AT Translated Set 2 keyboard", keys)},
    };
    for (const Case& entry : cases) {
        EXPECT_EQ(describeNode(entry.info), entry.description) << entry.info.evdevName;
        EXPECT_EQ(isOfferedInterface(entry.info), entry.offered) << entry.info.evdevName;
    }
    InputNodeInfo ours = node("Bindwell", {}, "", true, true, "/hid");
    ours.phys = "bindwell/virtual";
    EXPECT_FALSE(isOfferedInterface(ours));
}

} // namespace
} // namespace bindwell::linuxplatform
