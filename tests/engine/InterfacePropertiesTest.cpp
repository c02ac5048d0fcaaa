// What the scenarios cannot script: interfaces that lack a property or report
// one of the wrong type, which read as "Unknown" or 0.
#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

TEST(InterfaceProperties, TheScanReadsMissingOnesAsUnknownAndLeavesOutNoVendorID) {
    sim::SimPlatform platform;
    auto named = platform.addInterface("a", 0x56E, 0x156, "Remote");
    named->setProperty(hidproperty::manufacturer, std::string("Acme"));
    named->setProperty(hidproperty::transport, std::string("USB"));
    auto bare = platform.addInterface("b", 0x10, 0x20, "");
    bare->removeProperty(hidproperty::product);
    bare->setProperty(hidproperty::transport, int64_t{1});
    platform.addInterface("c", 0x56E, 0x157, "Remote")->removeProperty(hidproperty::vendorID);
    platform.addInterface("d", 0x56E, 0x158, "Remote")
        ->setProperty(hidproperty::vendorID, std::string("0x56e"));
    EXPECT_EQ(HIDInterceptor::scanConsumerControlDevices(platform),
              (std::vector<DetectedHIDDevice>{{.id = "1390:342",
                                               .name = "Remote",
                                               .manufacturer = "Acme",
                                               .vendorID = 0x56E,
                                               .productID = 0x156,
                                               .transport = "USB"},
                                              {.id = "16:32",
                                               .name = "Unknown",
                                               .manufacturer = "Unknown",
                                               .vendorID = 0x10,
                                               .productID = 0x20,
                                               .transport = "Unknown"}}));
}

TEST(InterfaceProperties, AnInterfaceWithoutIDsIsTheTargetOnlyOfAProfileWithZeroIDs) {
    DeviceProfile zero = makeProfile({});
    zero.vendorID = 0;
    zero.productID = 0;
    EngineHarness withZeroIDs({zero});
    EngineHarness withRemoteIDs({makeProfile({})});
    for (EngineHarness* harness : {&withZeroIDs, &withRemoteIDs}) {
        // Present before start, so its properties are read when the loop matches it.
        auto device = harness->platform.addInterface("a", 0, 0, "Nameless");
        device->removeProperty(hidproperty::vendorID);
        device->removeProperty(hidproperty::productID);
        harness->engine.start();
        EngineHarness::runLoop();
    }
    EXPECT_EQ(withZeroIDs.engine.session().trackedInterfaceCount(), 1U);
    EXPECT_EQ(withRemoteIDs.engine.session().trackedInterfaceCount(), 0U);
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
