#include "engine/DeviceProperties.h"

#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

TEST(DeviceProperties, MissingOrMistypedPropertiesFallBackToUnknownAndZero) {
    sim::SimHidDevice device;
    EXPECT_EQ(textProperty(device, hidproperty::product), "Unknown");
    EXPECT_EQ(integerProperty(device, hidproperty::vendorID), 0);

    device.setProperty(hidproperty::product, int64_t{42});
    device.setProperty(hidproperty::vendorID, std::string("0x56e"));
    EXPECT_EQ(textProperty(device, hidproperty::product), "Unknown");
    EXPECT_EQ(integerProperty(device, hidproperty::vendorID), 0);

    device.setProperty(hidproperty::product, std::string("Remote"));
    device.setProperty(hidproperty::vendorID, int64_t{0x56E});
    EXPECT_EQ(textProperty(device, hidproperty::product), "Remote");
    EXPECT_EQ(integerProperty(device, hidproperty::vendorID), 0x56E);
}

TEST(DeviceProperties, InterfaceWithoutIDsIsTheTargetOnlyOfAProfileWithZeroIDs) {
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
    EXPECT_EQ(withZeroIDs.engine.session().trackedDevices().size(), 1U);
    EXPECT_TRUE(withRemoteIDs.engine.session().trackedDevices().empty());
}

} // namespace
} // namespace bindwell::test
