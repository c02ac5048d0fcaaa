#include "engine/core/RemapCore.h"

#include "EngineHarness.h"
#include "engine/core/RecordText.h"
#include "platform/linux/VirtualKeyTable.h"
#include "platform/sim/RecordingPoster.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kPlayPause = 0xCD;
constexpr uint32_t kNext = 0xB5;

std::vector<std::string> describe(Effects& effects) {
    std::vector<std::string> lines;
    for (const OutputEvent& event : effects.posts()) {
        lines.push_back(sim::describePosted(event));
    }
    for (const TextRecord& record : effects.texts()) {
        if (!record.isLastEvent()) {
            lines.push_back("log " + recordText(record));
        }
    }
    effects.clear();
    return lines;
}

RemapCore linuxCore() {
    return RemapCore(
        [](int64_t virtualKey) { return linuxplatform::linuxKeyForVirtualKey(virtualKey); });
}

TEST(RemapCore, ForcedReleaseLetsGoOfEveryHoldButtonsBeforeKeys) {
    RemapCore core = linuxCore();
    core.setProfile(std::make_shared<const DeviceProfile>(makeProfile({
        makeMapping("fn", 0x0C, kPlayPause, RemapAction::fnKey()),
        makeMapping("left", 0x0C, kNext, RemapAction::holdLeftClick()),
        makeMapping("right", 0x09, 4, RemapAction::holdRightClick()),
    })));
    Effects effects;
    core.input({nullptr, 0x0C, kPlayPause, 1}, 1.0, effects);
    EXPECT_EQ(core.tap(ExtraButton{4, true}, 2.0, effects), TapVerdict::swallow);
    core.input({nullptr, 0x0C, kNext, 1}, 3.0, effects);
    effects.clear();

    core.releaseHeld(effects, true);
    EXPECT_EQ(describe(effects),
              (std::vector<std::string>{
                  "post BTN_LEFT up",
                  "post BTN_RIGHT up",
                  "post KEY_FN up",
                  "log Released Hold Left Click (Drag): the controller disconnected",
                  "log Released Hold Right Click: the controller disconnected",
                  "log Released Fn Key (Hold): the controller disconnected",
              }));
    // Nothing is owed any more: a second forced release and the buttons' own
    // late releases post nothing.
    core.releaseHeld(effects, false);
    core.input({nullptr, 0x0C, kNext, 0}, 4.0, effects);
    EXPECT_EQ(core.tap(ExtraButton{4, false}, 4.0, effects), TapVerdict::swallow);
    EXPECT_EQ(describe(effects), (std::vector<std::string>{"log 🎮 HID Event from target: "
                                                           "page=0xc usage=0xb5 value=0"}));
    EXPECT_FALSE(core.holdsOutputs());
}

} // namespace
} // namespace bindwell::test
