#include "platform/linux/NodeClassifier.h"

#include "CaseTable.h"
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

std::optional<std::string> named(const std::string& text) {
    return text == "-" ? std::nullopt : std::optional(text);
}

TEST(NodeDescription, NamesFallBackAndOnlyHidKeyboardsAreOffered) {
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "node-descriptions.table", 9)) {
        const std::vector<std::string>& column = row.columns;
        InputNodeInfo info;
        info.phys = named(column[4]).value_or("");
        info.evdevName = column[2];
        info.usbProduct = named(column[0]);
        info.hidName = named(column[1]);
        info.hidSyspath = named(column[5] == "yes" ? "/hid" : "-");
        info.vendorID = 0x1a86;
        info.productID = 0xe026;
        info.bustype = 0x03;
        info.uniq = "SN1";
        info.hasConsumerKeys = column[3].starts_with("consumer");
        info.isKeyboard = column[3].ends_with("keyboard");
        const HidDeviceDescription described{.product = column[7],
                                             .transport = "USB",
                                             .vendorID = 0x1a86,
                                             .productID = 0xe026,
                                             .serialNumber = "SN1",
                                             .kind = column[8] == "keyboard-keys"
                                                         ? HidInterfaceKind::keyboardKeys
                                                         : HidInterfaceKind::consumerControl};
        EXPECT_EQ(describeNode(info), described) << "line " << row.line;
        EXPECT_EQ(isOfferedInterface(info), column[6] == "yes") << "line " << row.line;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
