#include "ui/MenuModel.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bindwell {
namespace {

DeviceProfile profileNamed(const std::string& deviceName) {
    DeviceProfile profile;
    profile.deviceName = deviceName;
    return profile;
}

// Every combination of the menu's three inputs, with the rows it must show.
TEST(MenuRows, FollowTheStateTable) {
    const std::optional<DeviceProfile> none;
    const std::optional<DeviceProfile> present = profileNamed("Relacon");
    const std::optional<DeviceProfile> unnamed = profileNamed("");
    struct Case {
        bool isRemapping;
        std::string lastEvent;
        const std::optional<DeviceProfile>& profile;
        bool showsLastEvent;
        bool showsDevice;
    };
    const std::vector<Case> cases = {
        {false, "", none, false, false},
        {false, "Play/Pause → Fn Key", none, false, false},
        {false, "Play/Pause → Fn Key", present, false, true},
        {true, "", none, false, false},
        {true, "", present, false, true},
        {true, "Play/Pause → Fn Key", none, true, false},
        {true, "Play/Pause → Fn Key", present, true, true},
        {false, "", unnamed, false, true},
    };
    for (const Case& c : cases) {
        const MenuRows rows = menuRows(c.isRemapping, c.lastEvent, c.profile);
        SCOPED_TRACE(c.lastEvent + (c.isRemapping ? " on" : " off"));
        EXPECT_EQ(rows.isRemapping, c.isRemapping);
        EXPECT_EQ(rows.showsLastEvent, c.showsLastEvent);
        EXPECT_EQ(rows.lastEvent,
                  c.showsLastEvent ? QString::fromStdString(c.lastEvent) : QString());
        EXPECT_EQ(rows.showsDevice, c.showsDevice);
        EXPECT_EQ(rows.deviceName,
                  c.showsDevice ? QString::fromStdString(c.profile->deviceName) : QString());
    }
}

} // namespace
} // namespace bindwell
