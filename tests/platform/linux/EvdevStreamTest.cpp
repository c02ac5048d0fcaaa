#include "platform/linux/EvdevStream.h"

#include "EventNotation.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

TEST(EvdevStream, AfterADropTheKernelsKeyStateIsReplayedAsTheDifference) {
    std::optional<EvdevStream::KeyState> kernelKeysDown;
    EvdevStream stream([&](EvdevStream::KeyState& down) {
        down = kernelKeysDown.value_or(down);
        return kernelKeysDown.has_value();
    });
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "evdev-stream.table", 3)) {
        kernelKeysDown.reset();
        if (row.columns[0] != "unknown") {
            kernelKeysDown.emplace();
            for (const EvdevEvent& key : test::eventsNamed(row.columns[0])) {
                kernelKeysDown->set(key.code);
            }
        }
        const std::vector<EvdevEvent> read = test::eventsNamed(row.columns[1]);
        std::vector<input_event> raw;
        for (const EvdevEvent& event : read) {
            raw.push_back(
                {.time = {}, .type = event.type, .code = event.code, .value = event.value});
        }
        std::vector<EvdevEvent> passed;
        ASSERT_TRUE(stream.feed(raw, [&](const EvdevEvent& event) {
            passed.push_back(event);
            return true;
        }));
        EXPECT_EQ(passed, row.columns[2] == "same" ? read : test::eventsNamed(row.columns[2]))
            << "line " << row.line;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
