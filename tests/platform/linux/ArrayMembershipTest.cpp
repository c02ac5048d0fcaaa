#include "platform/linux/ArrayMembership.h"

#include "model/HIDButtonSource.h"
#include "support/Log.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

// A descriptor that opens but fails to read, as one does when its device is
// unplugged meanwhile: one line, and consumer usages count as array members.
TEST(ArrayMembership, ADescriptorThatFailsToReadFallsBackToTheCommonLayout) {
    QTemporaryDir hid;
    std::filesystem::create_directory(hid.filePath("report_descriptor").toStdString());
    InputNodeInfo info;
    info.hidSyspath = hid.path().toStdString();
    std::vector<std::string> lines;
    setLogSink([&](std::string_view line) { lines.emplace_back(line); });
    const auto isArrayMember = arrayMembershipFor(info, "Remote");
    setLogSink({});
    EXPECT_EQ(lines, std::vector<std::string>{"[Bindwell] ⚠️ Could not read the HID report "
                                              "descriptor of Remote; treating its consumer "
                                              "buttons as array buttons"});
    EXPECT_TRUE(isArrayMember(kConsumerUsagePage, 0xE9));
    EXPECT_FALSE(isArrayMember(0x01, 0x30));
}

} // namespace
} // namespace bindwell::linuxplatform
