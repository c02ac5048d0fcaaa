#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

std::vector<std::string> namesOf(const std::vector<DetectedHIDDevice>& devices) {
    std::vector<std::string> names;
    for (const DetectedHIDDevice& device : devices) {
        names.push_back(device.name);
    }
    return names;
}

// A property that is missing or of the wrong type reads as "Unknown" or 0.
TEST(ConsumerControlScan, ReadsEveryFieldWithItsDefault) {
    sim::SimPlatform platform;
    auto device = platform.addInterface("a", 0x56E, 0x156, "Remote");
    device->setProperty(hidproperty::manufacturer, std::string("Acme"));
    device->setProperty(hidproperty::transport, std::string("USB"));
    auto bare = platform.addInterface("b", 0x10, 0x20, "");
    bare->removeProperty(hidproperty::product);
    bare->setProperty(hidproperty::transport, int64_t{1});
    const auto found = HIDInterceptor::scanConsumerControlDevices(platform);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0], (DetectedHIDDevice{.id = "1390:342",
                                           .name = "Remote",
                                           .manufacturer = "Acme",
                                           .vendorID = 0x56E,
                                           .productID = 0x156,
                                           .transport = "USB"}));
    EXPECT_EQ(found[1].name, "Unknown");
    EXPECT_EQ(found[1].manufacturer, "Unknown");
    EXPECT_EQ(found[1].transport, "Unknown");
    EXPECT_EQ(found[1].id, "16:32");
}

TEST(ConsumerControlScan, LeavesOutDevicesWithoutVendorID) {
    sim::SimPlatform platform;
    platform.addInterface("a", 0x56E, 0x156, "Remote")->removeProperty(hidproperty::vendorID);
    platform.addInterface("b", 0x56E, 0x156, "Remote")
        ->setProperty(hidproperty::vendorID, std::string("0x56e"));
    EXPECT_TRUE(HIDInterceptor::scanConsumerControlDevices(platform).empty());
}

TEST(ConsumerControlScan, SortsByComposedNameInCodePointOrderAndKeepsTiesInOrder) {
    sim::SimPlatform platform;
    // "É" written decomposed (E + U+0301) sorts as the composed U+00C9, after "Z".
    platform.addInterface("e", 1, 1, "E\xCC\x81mile Remote");
    platform.addInterface("z", 2, 1, "Zed Remote");
    platform.addInterface("t1", 3, 1, "Twin");
    platform.addInterface("t2", 4, 1, "Twin");
    platform.addInterface("apple", 5, 1, "Aardvark")
        ->setProperty(hidproperty::manufacturer, std::string("APPLE Inc."));
    const auto found = HIDInterceptor::scanConsumerControlDevices(platform);
    EXPECT_EQ(namesOf(found), (std::vector<std::string>{"Twin", "Twin", "Zed Remote",
                                                        "E\xCC\x81mile Remote", "Aardvark"}));
    EXPECT_EQ(found[0].vendorID, 3);
    EXPECT_EQ(found[1].vendorID, 4);
}

} // namespace
} // namespace bindwell::test
