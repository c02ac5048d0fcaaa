#include "platform/linux/SysfsFile.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>

namespace bindwell::linuxplatform {
namespace {

// One answer of read(2): some bytes, the end of the file ("") or an errno.
struct Answer {
    std::string bytes;
    int error = 0;
};

std::deque<Answer> script;

ssize_t scriptedRead(int, void* buffer, size_t size) {
    const Answer answer = script.front();
    script.pop_front();
    if (answer.error != 0) {
        errno = answer.error;
        return -1;
    }
    const size_t count = std::min(size, answer.bytes.size());
    std::memcpy(buffer, answer.bytes.data(), count);
    return static_cast<ssize_t>(count);
}

struct Case {
    const char* name;
    std::deque<Answer> answers;
    std::string bytes;
    int error;
};

// The kernel answers ENODEV to a read of an attribute whose device was
// removed after the file was opened: the race of every replug.
TEST(SysfsFile, AFailedReadIsAValueAndPartialBytesAreDropped) {
    const std::vector<Case> cases{
        {"read in pieces", {{"ab"}, {"cd"}, {""}}, "abcd", 0},
        {"an interrupted read goes on", {{"", EINTR}, {"ab"}, {""}}, "ab", 0},
        {"unplugged mid-read", {{"ab"}, {"", ENODEV}}, "", ENODEV},
        {"unplugged before the first byte", {{"", ENODEV}}, "", ENODEV},
        {"an empty file", {{""}}, "", 0},
    };
    for (const Case& test : cases) {
        script = test.answers;
        const SysfsRead read = readToEnd(-1, scriptedRead);
        EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), test.bytes) << test.name;
        EXPECT_EQ(read.error, test.error) << test.name;
        EXPECT_TRUE(script.empty()) << test.name << ": stops at the end or the error";
    }
    EXPECT_EQ(readSysfsFile("/sys/devices/unplugged-in-between/name").error, ENOENT);
    // A directory opens but cannot be read: the kernel's refusal comes back.
    EXPECT_EQ(readSysfsFile("/").error, EISDIR);
}

} // namespace
} // namespace bindwell::linuxplatform
