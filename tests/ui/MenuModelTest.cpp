#include "ui/MenuModel.h"

#include "CaseTable.h"

#include <gtest/gtest.h>
#include <map>
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

TEST(MenuRows, FollowTheStateTable) {
    const std::string event = "Play/Pause → Fn Key";
    const std::map<std::string, std::vector<DeviceProfile>> profiles{
        {"none", {}},
        {"relacon", {profileNamed("Relacon")}},
        {"unnamed", {profileNamed("")}},
        {"two", {profileNamed("Relacon"), profileNamed("Pad")}},
        {"ruled", {profileNamed("Relacon"), profileWithRule("Pad", "org.mozilla.*")}}};
    const std::map<std::string, std::vector<ControllerStatus>> controllers{
        {"none", {}},
        {"pad", {controller("Pad", "", "", "")}},
        {"twins",
         {controller("Pad", "SN1", "usb-1", event), controller("Pad", "", "usb-2", ""),
          controller("Relacon", "SN3", "", "")}}};
    const std::map<std::string, MenuFocus> focus{
        {"", {}},
        {"firefox", {{"org.mozilla.firefox", "firefox", "Tab"}, "Firefox", ""}},
        {"notes", {{"", "Notes", "Tab"}, "Notes", ""}},
        {"no-source", {{}, "", "no focus source on this desktop"}}};
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "menu-rows.table", 10)) {
        const std::vector<std::string>& column = row.columns;
        const auto text = [&](size_t index) {
            return column[index] == "\"\"" || column[index] == "-"
                       ? QString()
                       : QString::fromStdString(column[index]);
        };
        QStringList lines = text(7).split(u';', Qt::SkipEmptyParts);
        for (QString& line : lines) {
            line = line.trimmed();
        }
        const MenuRows expected{.isRemapping = column[0] == "on",
                                .showsLastEvent = column[5] == "shown",
                                .lastEvent = column[5] == "shown" ? text(1) : QString(),
                                .showsDevice = column[6] != "-",
                                .deviceName = text(6),
                                .controllerLines = lines,
                                .appRules = text(8),
                                .focusUnavailable = text(9)};
        EXPECT_EQ(menuRows(expected.isRemapping, column[1], profiles.at(column[2]),
                           controllers.at(column[3]), focus.at(column[4])),
                  expected)
            << "line " << row.line;
    }
}

} // namespace
} // namespace bindwell
