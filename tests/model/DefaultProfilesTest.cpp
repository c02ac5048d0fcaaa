#include "model/DefaultProfiles.h"

#include "AcmeDevices.h"
#include "model/ConfigFormat.h"

#include <gtest/gtest.h>

namespace bindwell {
namespace {

constexpr auto* device = &test::acmeDevice;

// The Relacon reports its volume keys only through its array field, so its
// layout has no plain volume usage while the generic one has both forms.
bool usesRelaconLayout(const DeviceProfile& profile) {
    return !profile.findMapping(12, 0xE9, 1) && profile.findMapping(12, kArrayElementUsage, 233);
}

// Name, IDs and activation reaching the engine: qml_firstrun.
// A profile names its unit only when a twin was present at the scan, so a
// lone controller's profile (and its stored file) is the model-wide one.
TEST(DefaultLayouts, ProfileFieldsComeFromTheDeviceAndOnlyATwinNamesItsUnit) {
    struct Case {
        std::string serial, path;
        bool hasTwin;
        std::string id, storedSerial, storedPath;
    };
    const Case cases[] = {
        {"a4:c1:38:0f:22:9b", "pci-0:1.2", false, "device_1390_343", "", ""},
        {"a4:c1:38:0f:22:9b", "pci-0:1.2", true, "device_1390_343_a4_c1_38_0f_22_9b",
         "a4:c1:38:0f:22:9b", ""},
        {"", "pci-0000:00:14.0-usb-0:1.2", true, "device_1390_343_pci_0000_00_14_0_usb_0_1_2", "",
         "pci-0000:00:14.0-usb-0:1.2"},
        // A twin the system cannot tell apart gets the model's profile.
        {"", "", true, "device_1390_343", "", ""},
    };
    for (const Case& c : cases) {
        auto pad = device("Pad", 1390, 343);
        pad.serialNumber = c.serial;
        pad.physicalPath = c.path;
        pad.hasTwin = c.hasTwin;
        const DeviceProfile profile = defaultProfile(pad);
        EXPECT_EQ(profile.id, c.id);
        EXPECT_EQ(profile.serialNumber, c.storedSerial) << c.id;
        EXPECT_EQ(profile.physicalPath, c.storedPath) << c.id;
        EXPECT_EQ(pad.detailText().find("S/N") != std::string::npos, !c.storedSerial.empty());
        // Edits find their mapping by id, so a rebuilt profile must keep them.
        EXPECT_EQ(writeConfig({profile}), writeConfig({defaultProfile(pad)}));
    }
    EXPECT_EQ(defaultProfile(device("Unknown", 5, 6)).deviceName, "Acme Device");
}

TEST(DefaultLayouts, RelaconIsChosenByNameInAnyCaseOrByIDs) {
    EXPECT_TRUE(usesRelaconLayout(defaultProfile(device("My RELACON remote", 1, 2))));
    EXPECT_TRUE(usesRelaconLayout(defaultProfile(device("Pad", 1390, 342))));
    EXPECT_FALSE(usesRelaconLayout(defaultProfile(device("Pad", 1390, 343))));
    EXPECT_FALSE(usesRelaconLayout(defaultProfile(device("Pad", 1391, 342))));
    // The name test reads the raw name, not the display name built from the manufacturer.
    auto unknown = device("Unknown", 1, 2);
    unknown.manufacturer = "Relacon";
    EXPECT_FALSE(usesRelaconLayout(defaultProfile(unknown)));
}

} // namespace
} // namespace bindwell
