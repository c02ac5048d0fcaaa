#include "platform/linux/TapFrameFilter.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

class TapFrameFilterTest : public ::testing::Test {
protected:
    // Swallows the middle button, passes everything else.
    TapFrameFilter filter{[this](const TapEvent& event) {
        seen.push_back(event);
        const auto* button = std::get_if<ExtraButton>(&event);
        return button && button->number == 3 ? TapVerdict::swallow : TapVerdict::pass;
    }};
    std::vector<TapEvent> seen;

    std::vector<EvdevEvent> run(const std::vector<EvdevEvent>& events) {
        std::vector<EvdevEvent> out;
        for (const EvdevEvent& event : events) {
            filter.push(event, out);
        }
        return out;
    }
};

constexpr EvdevEvent kSyn{EV_SYN, SYN_REPORT, 0};

// Left and right clicks and keyboard keys are no tap events; a media key is
// one, under its consumer usage.
TEST_F(TapFrameFilterTest, MotionOrdinaryClicksAndKeysPassWholeFrames) {
    const std::vector<EvdevEvent> frame = {{EV_MSC, MSC_SCAN, 0x90001}, {EV_KEY, BTN_LEFT, 1},
                                           {EV_KEY, BTN_RIGHT, 0},      {EV_KEY, KEY_A, 1},
                                           {EV_REL, REL_X, 5},          kSyn};
    EXPECT_EQ(run(frame), frame);
    EXPECT_TRUE(seen.empty());
    const std::vector<EvdevEvent> media = {{EV_KEY, KEY_PREVIOUSSONG, 0}, kSyn};
    EXPECT_EQ(run(media), media);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(std::get<MediaKey>(seen[0]).usage, 0xB6u);
    EXPECT_FALSE(std::get<MediaKey>(seen[0]).pressed);
}

TEST_F(TapFrameFilterTest, SwallowedButtonTakesItsScanCodeAndLeavesMotionOrNothing) {
    const auto out =
        run({{EV_MSC, MSC_SCAN, 0x90003}, {EV_KEY, BTN_MIDDLE, 1}, {EV_REL, REL_Y, -2}, kSyn});
    EXPECT_EQ(out, (std::vector<EvdevEvent>{{EV_REL, REL_Y, -2}, kSyn}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(std::get<ExtraButton>(seen[0]).pressed);
    // A frame left empty writes nothing at all.
    EXPECT_TRUE(run({{EV_MSC, MSC_SCAN, 0x90003}, {EV_KEY, BTN_MIDDLE, 0}, kSyn}).empty());
    EXPECT_TRUE(run({kSyn}).empty());
}

TEST_F(TapFrameFilterTest, AutorepeatFollowsThePressVerdict) {
    (void)run({{EV_KEY, BTN_MIDDLE, 1}, kSyn, {EV_KEY, KEY_VOLUMEUP, 1}, kSyn});
    seen.clear();
    const auto out = run({{EV_KEY, BTN_MIDDLE, 2}, {EV_KEY, KEY_VOLUMEUP, 2}, kSyn});
    EXPECT_EQ(out, (std::vector<EvdevEvent>{{EV_KEY, KEY_VOLUMEUP, 2}, kSyn}));
    EXPECT_TRUE(seen.empty());
}

} // namespace
} // namespace bindwell::linuxplatform
