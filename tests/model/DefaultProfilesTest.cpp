#include "model/DefaultProfiles.h"

#include "AcmeDevices.h"
#include "CaseTable.h"
#include "model/ConfigFormat.h"
#include "model/LearnedButtons.h"
#include "model/UsageNames.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

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

// A device without a layout learns its buttons, and the combinations it
// sends, named as Linux names their keys (usage-names.table); a learned
// mapping keeps the key's own action and the profile learning. How presses
// become rows: qml_firstrun.
TEST(LearnedButtons, AreNamedByTheirKeyAndKeepAProfileWithoutALayoutLearning) {
    DeviceProfile profile = defaultProfile(device("Pedal", 0x1a2b, 0x3c4d));
    EXPECT_FALSE(learnsButtons(profile));
    profile.buttonMappings.clear();
    std::set<std::string> ids;
    for (const auto& [page, rest] : test::readTable(USAGE_NAMES_TABLE)) {
        std::istringstream row(page + " " + rest);
        int64_t usagePage = 0, usage = 0, modifiers = 0;
        std::string name;
        std::getline(row >> std::hex >> usagePage >> usage >> modifiers >> std::ws, name);
        const ButtonMapping learned = learnedMapping(profile, usagePage, usage, uint8_t(modifiers));
        EXPECT_EQ(learned.label, name);
        EXPECT_EQ(learned.source,
                  (HIDButtonSource{usagePage, usage, std::nullopt, uint8_t(modifiers)}));
        EXPECT_TRUE(learned.action.kind() == RemapAction::Kind::none && learned.isRemappable);
        // Edits find a mapping by its id: Z and Ctrl+Z are two rows.
        EXPECT_TRUE(ids.insert(learned.id).second) << name;
        profile.buttonMappings.push_back(learned);
        EXPECT_TRUE(learnsButtons(profile)) << name;
    }
}

} // namespace
} // namespace bindwell
