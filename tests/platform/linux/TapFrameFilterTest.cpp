#include "platform/linux/TapFrameFilter.h"

#include "EventNotation.h"

#include <gtest/gtest.h>
#include <sstream>

namespace bindwell::linuxplatform {
namespace {

// "button-3-down", "media-b6-up"
std::string describe(const TapEvent& event) {
    std::ostringstream text;
    if (const auto* button = std::get_if<ExtraButton>(&event)) {
        text << "button-" << button->number << (button->pressed ? "-down" : "-up");
    } else {
        const auto& key = std::get<MediaKey>(event);
        text << "media-" << std::hex << key.usage << (key.pressed ? "-down" : "-up");
    }
    return text.str();
}

TEST(TapFrameFilter, SwallowedButtonsLeaveWholeFramesOrNothing) {
    std::vector<std::string> asked;
    TapFrameFilter filter([&](const TapEvent& event) {
        asked.push_back(describe(event));
        const auto* button = std::get_if<ExtraButton>(&event);
        return button && button->number == 3 ? TapVerdict::swallow : TapVerdict::pass;
    });
    for (const test::CaseRow& row : test::readCaseTable(CASE_TABLES "tap-frames.table", 3)) {
        asked.clear();
        const std::vector<EvdevEvent> read = test::eventsNamed(row.columns[0]);
        std::vector<EvdevEvent> written;
        for (const EvdevEvent& event : read) {
            filter.push(event, written);
        }
        EXPECT_EQ(written, row.columns[1] == "same" ? read : test::eventsNamed(row.columns[1]))
            << "line " << row.line;
        EXPECT_EQ(asked, test::words(row.columns[2])) << "line " << row.line;
    }
}

} // namespace
} // namespace bindwell::linuxplatform
