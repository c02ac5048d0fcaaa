#include "platform/linux/AccessRule.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace bindwell::linuxplatform {
namespace {

namespace fs = std::filesystem;

TEST(AccessRule, TakesExactlyFourHexDigitsAColonAndFourMore) {
    const std::optional<DeviceID> upper = parseDeviceID("056E:0156");
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->vendor, 0x056e);
    EXPECT_EQ(formatDeviceID(*upper), "056e:0156");
    for (const char* text : {"", "46d:c52b", "0046d:c52b", "046d:c52bb", "046d-c52b", "046d:c52b\n",
                             "046d:c52b\nRUN+=\"/bin/sh\"", "046d:*", "../../:c52b", "0x6d:c52b",
                             "+46d:c52b", "046d:c52g", "046d:c52b "}) {
        EXPECT_FALSE(parseDeviceID(text)) << '"' << text << '"';
    }
    // A NUL inside the argument would end the text a C API sees early.
    EXPECT_FALSE(parseDeviceID(std::string_view("046d:c5\0b", 9)));
}

TEST(AccessRule, TheRuleTagsThatDevicesEventNodesButNeverAFullKeyboard) {
    EXPECT_NE(accessRuleText({0x056e, 0x0156})
                  .find("SUBSYSTEM==\"input\", KERNEL==\"event*\", ENV{ID_INPUT_KEYBOARD}!=\"1\", "
                        "ATTRS{id/vendor}==\"056e\", ATTRS{id/product}==\"0156\", "
                        "TAG+=\"uaccess\"\n"),
              std::string::npos);
}

class AccessRuleFile : public ::testing::Test {
protected:
    [[nodiscard]] fs::path directory() const { return dir_.path().toStdString(); }
    [[nodiscard]] std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    QTemporaryDir dir_;
    const DeviceID id_{0x046d, 0xc52b};
};

TEST_F(AccessRuleFile, WritingCreatesOnlyTheDevicesRuleAndRemovingTakesItAway) {
    ASSERT_FALSE(writeAccessRule(directory(), id_));
    EXPECT_EQ(files(), std::vector<std::string>{"70-bindwell-046d-c52b.rules"});
    const fs::path path = directory() / "70-bindwell-046d-c52b.rules";
    std::stringstream written;
    written << std::ifstream(path).rdbuf();
    EXPECT_EQ(written.str(), accessRuleText(id_));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                  fs::perms::group_read | fs::perms::others_read);
    // Granting again replaces the rule rather than adding to it.
    ASSERT_FALSE(writeAccessRule(directory(), id_));
    EXPECT_EQ(fs::file_size(path), accessRuleText(id_).size());

    ASSERT_FALSE(removeAccessRule(directory(), id_));
    EXPECT_TRUE(files().empty());
    EXPECT_FALSE(removeAccessRule(directory(), id_)) << "revoking twice is not an error";
}

TEST_F(AccessRuleFile, APlantedLinkIsNotFollowedNorAMissingFolderCreated) {
    const fs::path target = directory() / "elsewhere";
    std::ofstream(target) << "keep";
    fs::create_symlink(target, directory() / "70-bindwell-046d-c52b.rules");
    EXPECT_TRUE(writeAccessRule(directory(), id_));
    std::stringstream kept;
    kept << std::ifstream(target).rdbuf();
    EXPECT_EQ(kept.str(), "keep");
    EXPECT_TRUE(writeAccessRule(directory() / "missing", id_)) << "a missing folder is not created";
    EXPECT_FALSE(fs::exists(directory() / "missing"));
}

} // namespace
} // namespace bindwell::linuxplatform
