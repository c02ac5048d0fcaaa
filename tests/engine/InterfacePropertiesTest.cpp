// What the scenarios cannot script: the scan's marks and grouping, and an
// interface gone before the event loop runs.
#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

// A receiver's keyboard and consumer interfaces make one entry, marked;
// units with keyboard keys come after the remotes, whatever their names.
TEST(InterfaceProperties, TheScanMarksUnitsWithKeyboardKeysAndListsThemLast) {
    sim::SimPlatform platform;
    platform.addInterface("pedal", 0x1A86, 0xE026, "Foot Switch", HidInterfaceKind::keyboardKeys);
    platform.addInterface("remote", 0x56E, 0x156, "Remote")->description().manufacturer = "Acme";
    platform.addInterface("receiver", 0x10, 0x20, "Air Receiver");
    platform.addInterface("receiver_kbd", 0x10, 0x20, "Air Receiver",
                          HidInterfaceKind::keyboardKeys);
    const auto entry = [](std::string id, std::string name, std::string manufacturer,
                          int64_t vendor, int64_t product, bool keys) {
        return DetectedHIDDevice{.id = std::move(id),
                                 .name = std::move(name),
                                 .manufacturer = std::move(manufacturer),
                                 .vendorID = vendor,
                                 .productID = product,
                                 .transport = "Unknown",
                                 .hasKeyboardKeys = keys};
    };
    EXPECT_EQ(HIDInterceptor::scanDevices(platform),
              (std::vector<DetectedHIDDevice>{
                  entry("1390:342", "Remote", "Acme", 0x56E, 0x156, false),
                  entry("16:32", "Air Receiver", "Unknown", 0x10, 0x20, true),
                  entry("6790:57382", "Foot Switch", "Unknown", 0x1A86, 0xE026, true)}));
}

// Interfaces present at the start are matched on the event loop, as a real
// manager reports them; one gone before the loop runs is never matched.
TEST(InterfaceProperties, AnInterfaceGoneBeforeTheLoopRunsIsNeverTracked) {
    EngineHarness harness({makeProfile({})});
    harness.platform.addInterface("a", kRemoteVendor, kRemoteProduct, "Remote");
    harness.engine.start();
    harness.platform.removeInterface("a");
    EngineHarness::runLoop();
    EXPECT_EQ(harness.engine.session().trackedInterfaceCount(), 0U);
}

} // namespace
} // namespace bindwell::test
