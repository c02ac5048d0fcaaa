#include "platform/linux/AccessRule.h"

#include "CaseTable.h"

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

// The rule line of a grant: the last line of its file.
std::string ruleLine(const std::string& text) {
    const size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start + 1);
}

// The plain grant never opens a full keyboard; the grant for a picked
// keyboard-key device opens its keyboard, narrowed to the one unit as
// keyboard-key-rules.table says.
TEST(AccessRule, MatchesTheDeviceAndForKeyboardKeysTheOnePickedUnit) {
    const DeviceID id{0x1a2b, 0x3c4d};
    const std::string ids = R"(ATTRS{id/vendor}=="1a2b", ATTRS{id/product}=="3c4d")";
    const std::string head = R"(SUBSYSTEM=="input", KERNEL=="event*", )";
    const std::string tag = ", TAG+=\"uaccess\"\n";
    EXPECT_EQ(ruleLine(accessRuleText(id)), head + R"(ENV{ID_INPUT_KEYBOARD}!="1", )" + ids + tag);
    for (const test::CaseRow& row :
         test::readCaseTable(CASE_TABLES "keyboard-key-rules.table", 3, ';')) {
        const PickedUnit unit{id, test::withByteEscapes(row.columns[0]), row.columns[1]};
        const std::string unitMatch = row.columns[2].empty() ? "" : ", " + row.columns[2];
        EXPECT_EQ(ruleLine(keyboardKeysRuleText(unit)), head + ids + unitMatch + tag)
            << "line " << row.line;
    }
}

std::string contents(const fs::path& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// The files a grant writes and a revoke removes, as udev then reads them, are
// the VM suite's; here the file's mode, a second grant or revoke, a planted
// link and a missing folder.
TEST(AccessRuleFile, IsWrittenWholeWithoutFollowingLinksAndRemovedOnce) {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const fs::path path = folder / "70-bindwell-046d-c52b.rules";
    const DeviceID id{0x046d, 0xc52b};
    ASSERT_FALSE(writeAccessRule(folder, id));
    ASSERT_FALSE(writeAccessRule(folder, id)) << "granting again replaces the rule";
    EXPECT_EQ(contents(path), accessRuleText(id));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                  fs::perms::group_read | fs::perms::others_read);
    const fs::path keys = folder / "70-bindwell-046d-c52b-keys.rules";
    ASSERT_FALSE(writeKeyboardKeysRule(folder, {id, "S1", ""}));
    EXPECT_EQ(contents(keys), keyboardKeysRuleText({id, "S1", ""}));
    ASSERT_FALSE(removeAccessRule(folder, id));
    EXPECT_FALSE(fs::exists(path) || fs::exists(keys)) << "revoking closes both";
    EXPECT_FALSE(removeAccessRule(folder, id)) << "revoking twice is not an error";

    std::ofstream(folder / "elsewhere") << "keep";
    fs::create_symlink(folder / "elsewhere", path);
    EXPECT_TRUE(writeAccessRule(folder, id));
    EXPECT_EQ(contents(folder / "elsewhere"), "keep");
    EXPECT_TRUE(writeAccessRule(folder / "missing", id)) << "a missing folder is not created";
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

} // namespace
} // namespace bindwell::linuxplatform
