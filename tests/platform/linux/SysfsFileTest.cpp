#include "platform/linux/SysfsFile.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

// What read(2) answers, one call after another: bytes, "" for the end of the
// file, or an errno.
std::deque<std::pair<std::string, int>> answers;

ssize_t scriptedRead(int, void* buffer, size_t size) {
    const auto [bytes, error] = answers.front();
    answers.pop_front();
    errno = error;
    std::memcpy(buffer, bytes.data(), std::min(size, bytes.size()));
    return error != 0 ? -1 : static_cast<ssize_t>(std::min(size, bytes.size()));
}

// The kernel answers ENODEV to a read of an attribute whose device was
// removed after the file was opened: the race of every replug.
TEST(SysfsFile, AFailedReadIsAValueAndPartialBytesAreDropped) {
    const std::vector<std::tuple<std::deque<std::pair<std::string, int>>, std::string, int>> cases{
        {{{"ab", 0}, {"cd", 0}, {"", 0}}, "abcd", 0},
        {{{"", EINTR}, {"ab", 0}, {"", 0}}, "ab", 0},
        {{{"ab", 0}, {"", ENODEV}}, "", ENODEV},
        {{{"", ENODEV}}, "", ENODEV},
    };
    for (const auto& [script, bytes, error] : cases) {
        answers = script;
        const SysfsRead read = readToEnd(-1, scriptedRead);
        EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), bytes) << bytes << error;
        EXPECT_EQ(read.error, error) << bytes << error;
        EXPECT_TRUE(answers.empty()) << "stops at the end or the error";
    }
    EXPECT_EQ(readSysfsFile("/sys/devices/unplugged-in-between/name").error, ENOENT);
    // A directory opens but fails to read, as a vanished device's file does;
    // an ifstream threw here.
    EXPECT_EQ(readSysfsFile("/").error, EISDIR);
}

} // namespace
} // namespace bindwell::linuxplatform
