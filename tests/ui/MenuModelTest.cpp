#include "ui/MenuModel.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace bindwell {
namespace {

DeviceProfile profileNamed(const std::string& deviceName) {
    DeviceProfile profile;
    profile.deviceName = deviceName;
    return profile;
}

ControllerStatus controller(const std::string& deviceName, const std::string& serial,
                            const std::string& path, const std::string& lastEvent) {
    return {.id = 0,
            .profile = std::make_shared<const DeviceProfile>(profileNamed(deviceName)),
            .unit = std::make_shared<const DeviceIdentity>(DeviceIdentity{
                .vendorID = 1, .productID = 2, .serialNumber = serial, .physicalPath = path}),
            .lastEvent = lastEvent};
}

DeviceProfile profileWithRule(const std::string& deviceName, const std::string& match) {
    DeviceProfile profile = profileNamed(deviceName);
    profile.buttonMappings.push_back({.id = "b",
                                      .source = {},
                                      .action = RemapAction::none(),
                                      .label = "B",
                                      .isRemappable = true,
                                      .appOverrides = {{match, RemapAction::none()}}});
    return profile;
}

// The menu's inputs, with the rows each state must show. An empty text means
// the row is hidden. The application rows only speak of rules that exist.
TEST(MenuRows, FollowTheStateTable) {
    const std::string event = "Play/Pause → Fn Key";
    const std::vector<DeviceProfile> none;
    const std::vector<DeviceProfile> relacon{profileNamed("Relacon")};
    const std::vector<DeviceProfile> unnamed{profileNamed("")};
    const std::vector<DeviceProfile> two{profileNamed("Relacon"), profileNamed("Pad")};
    const std::vector<DeviceProfile> ruled{profileNamed("Relacon"),
                                           profileWithRule("Pad", "org.mozilla.*")};
    const MenuFocus firefox{{"org.mozilla.firefox", "firefox", "Tab"}, "Firefox", ""};
    const MenuFocus notes{{"", "Notes", "Tab"}, "Notes", ""};
    const MenuFocus nothing{};
    const MenuFocus noSource{{}, "", "no focus source on this desktop"};
    const std::vector<ControllerStatus> noController;
    const std::vector<ControllerStatus> onePad{controller("Pad", "", "", "")};
    const std::vector<ControllerStatus> twins{controller("Pad", "SN1", "usb-1", event),
                                              controller("Pad", "", "usb-2", ""),
                                              controller("Relacon", "SN3", "", "")};
    const QString inactive = "Per-app rules inactive: no focus source on this desktop";
    const QStringList twinLines{"Pad (SN1) — " + QString::fromStdString(event), "Pad (usb-2)",
                                "Relacon"};
    struct Case {
        bool isRemapping;
        std::string lastEvent;
        const std::vector<DeviceProfile>& profiles;
        const std::vector<ControllerStatus>& controllers;
        bool showsLastEvent;
        bool showsDevice;
        QString deviceName;
        QStringList controllerLines;
        MenuFocus focus = {};
        QString appRules = {};
        QString focusUnavailable = {};
    };
    const std::vector<Case> cases = {
        {false, "", none, noController, false, false, "", {}},
        {false, event, none, noController, false, false, "", {}},
        {false, event, relacon, noController, false, true, "Relacon", {}},
        {true, "", none, noController, false, false, "", {}},
        {true, "", relacon, noController, false, true, "Relacon", {}},
        {true, event, none, noController, true, false, "", {}},
        {true, event, relacon, noController, true, true, "Relacon", {}},
        {false, "", unnamed, noController, false, true, "", {}},
        // Not running, the stored active profiles; running, the one present.
        {false, event, two, noController, false, true, "Relacon, Pad", {}},
        {true, event, two, onePad, true, true, "Pad", {}},
        // Several present: a line each, the serial (or port) only among namesakes.
        {true, event, two, twins, false, false, "", twinLines},
        {true, "", ruled, onePad, false, true, "Pad", {}, firefox, "App rules: Firefox"},
        {true, "", ruled, onePad, false, true, "Pad", {}, notes, "App rules: none for Notes"},
        {true, "", ruled, twins, false, false, "", twinLines, firefox, "App rules: Firefox"},
        {true, "", ruled, onePad, false, true, "Pad", {}, nothing},
        {false, "", ruled, noController, false, true, "Relacon, Pad", {}, firefox},
        {true, "", two, onePad, false, true, "Pad", {}, firefox},
        {false, "", ruled, noController, false, true, "Relacon, Pad", {}, noSource, "", inactive},
        {true, "", two, onePad, false, true, "Pad", {}, noSource},
    };
    for (const Case& c : cases) {
        const MenuRows rows =
            menuRows(c.isRemapping, c.lastEvent, c.profiles, c.controllers, c.focus);
        SCOPED_TRACE(c.lastEvent + (c.isRemapping ? " on " : " off ") +
                     std::to_string(c.profiles.size()) + "/" +
                     std::to_string(c.controllers.size()) + " " + c.focus.name.toStdString());
        EXPECT_EQ(rows.isRemapping, c.isRemapping);
        EXPECT_EQ(rows.showsLastEvent, c.showsLastEvent);
        EXPECT_EQ(rows.lastEvent,
                  c.showsLastEvent ? QString::fromStdString(c.lastEvent) : QString());
        EXPECT_EQ(rows.showsDevice, c.showsDevice);
        EXPECT_EQ(rows.deviceName, c.deviceName);
        EXPECT_EQ(rows.controllerLines, c.controllerLines);
        EXPECT_EQ(rows.appRules, c.appRules);
        EXPECT_EQ(rows.focusUnavailable, c.focusUnavailable);
    }
}

} // namespace
} // namespace bindwell
