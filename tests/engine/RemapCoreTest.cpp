#include "engine/core/RemapCore.h"

#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kPlayPause = 0xCD;
constexpr uint32_t kNext = 0xB5;

std::vector<std::string> describe(Effects& effects) {
    std::vector<std::string> lines;
    for (const Effects::Effect& effect : effects) {
        switch (effect.kind) {
        case Effects::Effect::Kind::post:
            lines.push_back(
                effect.output.kind == OutputEvent::Kind::key
                    ? "key " + std::to_string(effect.output.keyCode) +
                          (effect.output.keyDown ? " down" : " up")
                    : "button " + std::to_string(effect.output.button) +
                          (effect.output.mouseType == MouseEventType::leftMouseUp ||
                                   effect.output.mouseType == MouseEventType::rightMouseUp
                               ? " up"
                               : " down"));
            break;
        case Effects::Effect::Kind::log:
            lines.push_back("log " + effect.text);
            break;
        case Effects::Effect::Kind::lastEvent:
            break;
        }
    }
    effects.clear();
    return lines;
}

TEST(RemapCore, ForcedReleaseLetsGoOfEveryHoldButtonsBeforeKeys) {
    RemapCore core;
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
                  "log Released Hold Left Click (Drag): the controller disconnected",
                  "button 0 up",
                  "log Released Hold Right Click: the controller disconnected",
                  "button 1 up",
                  "log Released Fn Key (Wispr Flow): the controller disconnected",
                  "key 63 up",
              }));
    // Nothing is owed any more: a second forced release and the buttons' own
    // late releases post nothing (Fn follows its button and posts its key-up).
    core.releaseHeld(effects, false);
    core.input({nullptr, 0x0C, kNext, 0}, 4.0, effects);
    EXPECT_EQ(core.tap(ExtraButton{4, false}, 4.0, effects), TapVerdict::swallow);
    EXPECT_EQ(describe(effects), (std::vector<std::string>{"log 🎮 HID Event from target: "
                                                           "page=0xc usage=0xb5 value=0"}));
    EXPECT_TRUE(core.heldOutputs().empty());
}

} // namespace
} // namespace bindwell::test
