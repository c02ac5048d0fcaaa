#include "model/ConfigFormat.h"

#include "AcmeDevices.h"
#include "model/ShortcutCatalogue.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>

namespace bindwell {
namespace {

using Json = nlohmann::json;

DeviceProfile sampleProfile() {
    return defaultProfile(test::acmeDevice("Relacon", 1390, 342));
}

// A valid file with one edit applied, so each case states only what it breaks.
std::string editedFile(const std::function<void(Json&)>& edit) {
    Json document = Json::parse(writeConfig({sampleProfile()}));
    edit(document);
    return document.dump();
}

std::string errorOf(const std::function<void(Json&)>& edit) {
    const ConfigReadResult result = readConfig(editedFile(edit));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.profiles.empty());
    return result.error;
}

TEST(ConfigWriting, CompactTextWithFieldKeysAndRawUtf8) {
    EXPECT_EQ(writeConfig({}), "[]");
    DeviceProfile profile = genericProfile({.id = "",
                                            .name = "Pad",
                                            .manufacturer = "",
                                            .vendorID = 1390,
                                            .productID = 342,
                                            .transport = ""});
    profile.buttonMappings[1].action = commonShortcuts().front();
    const std::string text = writeConfig({profile});
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.find(R"({"id":"1390_342_play_pause","source":{"usagePage":12,"usageID":205},)"
                        R"("action":{"fnKey":{}},"label":"Play/Pause","isRemappable":true})"),
              std::string::npos);
    EXPECT_NE(
        text.find(
            R"("action":{"keystroke":{"_0":{"keyCode":8,"modifiers":{"command":true,)"
            R"("shift":false,"option":false,"control":false},"displayName":"Ctrl+C Copy"}}})"),
        std::string::npos);
    EXPECT_NE(text.find(R"("source":{"usagePage":12,"usageID":4294967295,"matchValue":233})"),
              std::string::npos);
    EXPECT_NE(text.find(R"("vendorID":1390,"productID":342,"buttonMappings":[)"),
              std::string::npos);
}

TEST(ConfigWriting, InvalidUtf8IsReplacedSoTheListStillSaves) {
    DeviceProfile profile = sampleProfile();
    profile.deviceName = "Pad \xff\xfe";
    const ConfigReadResult result = readConfig(writeConfig({profile}));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.profiles[0].deviceName, "Pad \xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ConfigRoundTrip, WritingThenReadingGivesAnEqualList) {
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    DeviceProfile odd;
    odd.id = "device_-1_0";
    odd.deviceName = "Ünïcødé \"quoted\" / slash \\ ⌘";
    odd.vendorID = 0;
    odd.productID = 0xffff;
    odd.serialNumber = "a4:c1:38:0f:22:9b";
    odd.physicalPath = "pci-0000:00:14.0-usb-0:1.2";
    odd.isActive = true;
    // Both platforms' catalogues and the held kind, so labels in either
    // notation come back as written.
    std::vector<RemapAction> actions = RemapAction::allCases();
    for (const PresetGroup& group : presetGroups()) {
        actions.insert(actions.end(), group.presets.begin(), group.presets.end());
    }
    actions.push_back(
        RemapAction::keystroke({.keyCode = 21,
                                .modifiers = {.command = true, .shift = true, .control = true},
                                .displayName = "⌘⇧⌃4 Screenshot to Clipboard"}));
    actions.push_back(RemapAction::keystroke({.keyCode = 3,
                                              .modifiers = {.command = true, .control = true},
                                              .displayName = "⌃⌘F Full Screen Toggle"}));
    actions.push_back(RemapAction::holdKeystroke({.keyCode = 49,
                                                  .modifiers = {.command = true, .shift = true},
                                                  .displayName = "Hold Ctrl+Shift+Space"}));
    int64_t n = 0;
    for (const RemapAction& action : actions) {
        odd.buttonMappings.push_back(
            {.id = "m" + std::to_string(n),
             .source = {n - 5, kMax - n, n % 2 ? std::optional(kMin + n) : std::nullopt},
             .action = action,
             .label = "Label ⇧ " + std::to_string(n),
             .isRemappable = n % 3 != 0});
        ++n;
    }
    // A pedal's Ctrl+Z, and a key with both GUI keys.
    odd.buttonMappings[2].source = {.usagePage = 7, .usageID = 0x1D, .modifiers = 0x01};
    odd.buttonMappings[3].source = {.usagePage = 7, .usageID = 0x68, .modifiers = 0x88};
    odd.buttonMappings[1].appOverrides = {{.match = "org.kde.Okular*", .action = actions.back()},
                                          {.match = "", .action = RemapAction::none()}};
    odd.buttonMappings[2].holdAction = actions.back();
    odd.buttonMappings[2].doubleTapAction = RemapAction::enterKey();
    odd.buttonMappings[3].doubleTapAction = RemapAction::none();
    odd.holdMilliseconds = 50;
    odd.doubleTapMilliseconds = 2000;
    DeviceProfile empty;
    empty.id = "";
    const std::vector<DeviceProfile> profiles{sampleProfile(), odd, empty};

    const ConfigReadResult result = readConfig(writeConfig(profiles));
    ASSERT_TRUE(result.ok()) << result.error;
    // Every field is written (the reader requires them all): equal texts, equal lists.
    EXPECT_EQ(writeConfig(result.profiles), writeConfig(profiles));
    EXPECT_EQ(result.profiles[1].buttonMappings[2].doubleTapAction, RemapAction::enterKey());
    EXPECT_EQ(result.profiles[1].doubleTapMilliseconds, 2000);
    EXPECT_EQ(result.profiles[0].holdMilliseconds, std::nullopt);
}

// A null matchValue reads as an absent one, which the writer leaves out.
TEST(ConfigReading, UnknownKeysAreIgnoredAtEveryLevelAndNullMeansAbsent) {
    DeviceProfile profile = sampleProfile();
    profile.buttonMappings[0].action = commonShortcuts().front();
    profile.buttonMappings[0].source.matchValue.reset();
    Json document = Json::parse(writeConfig({profile}));
    Json& mapping = document[0]["buttonMappings"][0];
    document[0]["version"] = 2;
    mapping["note"] = {1, 2};
    mapping["source"]["extra"] = nullptr;
    mapping["source"]["matchValue"] = nullptr;
    mapping["holdAction"] = nullptr;
    document[0]["doubleTapMilliseconds"] = nullptr;
    mapping["action"]["comment"] = "x";
    mapping["action"]["keystroke"]["_1"] = true;
    mapping["action"]["keystroke"]["_0"]["keyName"] = "C";
    mapping["action"]["keystroke"]["_0"]["modifiers"]["fn"] = true;
    document[0]["buttonMappings"][1]["action"]["holdLeftClick"]["why"] = "ignored";

    const ConfigReadResult result = readConfig(document.dump());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(writeConfig(result.profiles), writeConfig({profile}));
}

// Each case is a JSON Patch on a valid file and the error it must give.
// Unknown keys beside a known case name are ignored (checked above).
TEST(ConfigReading, AMissingMistypedOrAmbiguousKeyNamesItsPlace) {
    const std::string m3 = R"(profile 0 ("device_1390_342"), mapping 3)";
    const std::string action = R"({"op":"add","path":"/0/buttonMappings/3/action","value":)";
    const std::string copy = action + R"({"keystroke":{"_0":{"keyCode":8,"modifiers":{)"
                                      R"("command":true,"shift":false,"option":false,)"
                                      R"("control":false},"displayName":"Ctrl+C Copy"}}}},)";
    const std::string ks = R"({"op":"replace","path":"/0/buttonMappings/3/action/keystroke/_0/)";
    const std::string one = m3 + R"(, key "action": Invalid number of keys found, expected one.)";
    const std::string keyboard = R"({"op":"replace","path":"/0/buttonMappings/3/source/usagePage",)"
                                 R"("value":7},{"op":"add","path":"/0/buttonMappings/3/source/)"
                                 R"(modifiers","value":)";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {action + "{}}", one},
        {action + R"({"none":{},"disabled":{}}})", one},
        {action + R"({"comment":{}}})", one},
        {R"({"op":"remove","path":"/0/id"})", R"(profile 0: key "id" is missing)"},
        {R"({"op":"copy","from":"/0","path":"/-"},{"op":"replace","path":"/1/id","value":"x"},)"
         R"({"op":"replace","path":"/1/isActive","value":"yes"})",
         R"(profile 1 ("x"): key "isActive" must be true or false (found a string))"},
        {R"({"op":"remove","path":"/0/buttonMappings/2/source/usageID"})",
         R"(profile 0 ("device_1390_342"), mapping 2: key "source.usageID" is missing)"},
        {R"({"op":"replace","path":"/0/buttonMappings/9/label","value":5})",
         R"(profile 0 ("device_1390_342"), mapping 9: key "label" must be a string )"
         "(found an integer)"},
        {R"({"op":"replace","path":"/0/buttonMappings","value":{}})",
         R"(profile 0 ("device_1390_342"): key "buttonMappings" must be an array )"
         "(found an object)"},
        {R"({"op":"replace","path":"/0/buttonMappings/1","value":3})",
         R"(profile 0 ("device_1390_342"), mapping 1: must be an object (found an integer))"},
        {R"({"op":"add","path":"/-","value":[]})", "profile 1: must be an object (found an array)"},
        {R"({"op":"replace","path":"/0/id","value":"say \"hi\"\n"},)"
         R"({"op":"remove","path":"/0/deviceName"})",
         R"(profile 0 ("say \"hi\"\n"): key "deviceName" is missing)"},
        {action + R"("none"})", m3 + R"(: key "action" must be an object (found a string))"},
        {copy + R"({"op":"remove","path":"/0/buttonMappings/3/action/keystroke/_0/modifiers"})",
         m3 + R"(: key "action.keystroke._0.modifiers" is missing)"},
        {copy + ks + R"(modifiers/shift","value":0})",
         m3 + R"(: key "action.keystroke._0.modifiers.shift" must be true or false )"
              "(found an integer)"},
        {copy + ks + R"(displayName","value":null})",
         m3 + R"(: key "action.keystroke._0.displayName" must be a string (found null))"},
        {R"({"op":"add","path":"/0/holdMilliseconds","value":49})",
         R"(profile 0 ("device_1390_342"): key "holdMilliseconds" must be between 50 and 2000 )"
         "(found 49)"},
        {R"({"op":"add","path":"/0/doubleTapMilliseconds","value":2001})",
         R"(profile 0 ("device_1390_342"): key "doubleTapMilliseconds" must be between 50 and )"
         "2000 (found 2001)"},
        {R"({"op":"add","path":"/0/holdMilliseconds","value":"400"})",
         R"(profile 0 ("device_1390_342"): key "holdMilliseconds" must be an integer )"
         "(found a string)"},
        {R"({"op":"add","path":"/0/buttonMappings/3/holdAction","value":{}})",
         m3 + R"(, key "holdAction": Invalid number of keys found, expected one.)"},
        {R"({"op":"add","path":"/0/buttonMappings/3/doubleTapAction","value":[]})",
         m3 + R"(: key "doubleTapAction" must be an object (found an array))"},
        {R"({"op":"add","path":"/0/buttonMappings/3/source/modifiers","value":[224]})",
         m3 + R"(: key "source.modifiers" is only for keys of usage page 7 (keyboard))"},
        {keyboard + R"([224,225,29]})",
         m3 + R"(: key "source.modifiers" must list modifier keys from 224 (Left Control) to )"
              "231 (Right GUI), each once (found 29)"},
        {keyboard + R"([225,225]})",
         m3 + R"(: key "source.modifiers" must list modifier keys from 224 (Left Control) to )"
              "231 (Right GUI), each once (found 225)"},
        {keyboard + R"(224})",
         m3 + R"(: key "source.modifiers" must be an array (found an integer))"},
        {R"({"op":"add","path":"/0/buttonMappings/3/appOverrides","value":[{"match":"x"}]})",
         m3 + R"(: key "appOverrides.0.action" is missing)"},
        {R"({"op":"add","path":"/0/buttonMappings/3/appOverrides","value":)"
         R"([{"match":"x","action":{"tabKey":{}}},5]})",
         m3 + R"(: key "appOverrides.1" must be an object (found an integer))"},
    };
    for (const auto& [patch, error] : cases) {
        EXPECT_EQ(errorOf([&patch](Json& d) { d = d.patch(Json::parse("[" + patch + "]")); }),
                  error)
            << patch;
    }
}

TEST(ConfigReading, IntegersMustBeWholeAndWithinSigned64Bits) {
    const auto usageID = [](const std::string& number) {
        std::string text = editedFile(
            [](Json& d) { d[0]["buttonMappings"][0]["source"]["usageID"] = "PLACEHOLDER"; });
        text.replace(text.find("\"PLACEHOLDER\""), 13, number);
        return readConfig(text);
    };
    const auto read = [&usageID](const std::string& number) {
        return usageID(number).profiles.at(0).buttonMappings[0].source.usageID;
    };
    EXPECT_EQ(read("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(read("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(read("-0"), 0);
    const std::string place = R"(profile 0 ("device_1390_342"), mapping 0: key "source.usageID" )"
                              "must be an integer ";
    EXPECT_EQ(usageID("9223372036854775808").error, place + "(found an out-of-range number)");
    for (const char* bad : {"1.0", "1.5", "1e2", "-9223372036854775809", "1e300"}) {
        EXPECT_EQ(usageID(bad).error, place + "(found a fractional or out-of-range number)") << bad;
    }
    EXPECT_EQ(usageID("\"1390\"").error, place + "(found a string)");
    EXPECT_EQ(usageID("null").error, place + "(found null)");
    EXPECT_EQ(usageID("true").error, place + "(found a boolean)");
}

TEST(ConfigReading, WrongTopLevelAndBrokenSyntaxAreErrors) {
    EXPECT_EQ(readConfig("{}").error,
              "the top level must be an array of profiles (found an object)");
    EXPECT_EQ(readConfig("null").error, "the top level must be an array of profiles (found null)");
    for (const char* broken : {"", "[", "[{]", "[] []", "[\"\xff\"]", "[1,]"}) {
        const ConfigReadResult result = readConfig(broken);
        EXPECT_FALSE(result.ok()) << broken;
        EXPECT_NE(result.error.find("(byte "), std::string::npos) << result.error;
    }
    // The library's exception tag is not part of what a user reads.
    EXPECT_EQ(readConfig("[1,]").error.rfind("parse error at line 1, column 4", 0), 0U);
}

} // namespace
} // namespace bindwell
