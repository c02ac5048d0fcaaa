#include "model/ConfigFormat.h"

#include "AcmeDevices.h"
#include "CaseTable.h"
#include "model/ShortcutCatalogue.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string_view>

namespace bindwell {
namespace {

using Json = nlohmann::json;

DeviceProfile sampleProfile() {
    return defaultProfile(test::acmeDevice("Relacon", 1390, 342));
}

// The file a line of config-reading.table makes; its opening comment says how.
std::string tableFile(std::string_view kind, const std::string& rest) {
    const Json sample = Json::parse(writeConfig({sampleProfile()}));
    if (kind == "patch") {
        return sample.patch(Json::parse(rest)).dump();
    }
    if (kind == "usageID") {
        Json document = sample;
        document[0]["buttonMappings"][0]["source"]["usageID"] = "NUMBER";
        std::string text = document.dump();
        return text.replace(text.find("\"NUMBER\""), 8, rest);
    }
    EXPECT_EQ(kind, "file");
    return test::withByteEscapes(rest);
}

// `expected` with " ... " standing for any text.
bool matches(const std::string& error, const std::string& expected) {
    const size_t gap = expected.find(" ... ");
    if (gap == std::string::npos) {
        return error == expected;
    }
    const std::string_view head(expected.data(), gap + 1);
    const std::string_view tail = std::string_view(expected).substr(gap + 4);
    return error.size() >= head.size() + tail.size() && error.starts_with(head) &&
           error.ends_with(tail);
}

TEST(ConfigWriting, InvalidUtf8IsReplacedSoTheListStillSaves) {
    DeviceProfile profile = sampleProfile();
    profile.deviceName = "Pad \xff\xfe";
    const ConfigReadResult result = readConfig(writeConfig({profile}));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.profiles[0].deviceName, "Pad \xEF\xBF\xBD\xEF\xBF\xBD");
}

// round-trip.json holds every action and preset the program offers, in both
// keyboard notations, with app rules, gestures, keyboard sources with
// modifiers, integers at their limits, escapes and non-ASCII text. Read and
// written again it is the same text, compact, keys in field order, UTF-8 raw.
TEST(ConfigRoundTrip, ReadingThenWritingGivesTheSameCompactText) {
    std::ifstream file(ROUND_TRIP_JSON);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const ConfigReadResult result = readConfig(text);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(writeConfig(result.profiles), nlohmann::ordered_json::parse(text).dump());
    EXPECT_EQ(writeConfig({}), "[]");
    std::vector<RemapAction> offered = RemapAction::allCases();
    for (const PresetGroup& group : presetGroups()) {
        offered.insert(offered.end(), group.presets.begin(), group.presets.end());
    }
    const std::vector<ButtonMapping>& mappings = result.profiles.at(1).buttonMappings;
    for (const RemapAction& action : offered) {
        EXPECT_TRUE(std::ranges::any_of(
            mappings, [&action](const ButtonMapping& mapping) { return mapping.action == action; }))
            << "round-trip.json lacks " << action.displayName();
    }
}

// Each case of config-reading.table: a file, and the error it must give or what
// it must read as.
TEST(ConfigReading, ARefusedFileNamesThePlaceAndTheProblem) {
    std::string file;
    for (const auto& [word, rest] : test::readTable(CONFIG_READING_TABLE)) {
        if (word != "error" && word != "reads") {
            file = tableFile(word, rest);
            continue;
        }
        const ConfigReadResult result = readConfig(file);
        if (word == "reads") {
            ASSERT_TRUE(result.ok()) << result.error << "\n  for " << file;
            EXPECT_EQ(Json::parse(writeConfig(result.profiles)),
                      Json::parse(tableFile("patch", rest)))
                << file;
            continue;
        }
        EXPECT_TRUE(result.profiles.empty()) << file;
        EXPECT_TRUE(matches(result.error, rest)) << result.error << "\n  for " << file;
    }
}

} // namespace
} // namespace bindwell
