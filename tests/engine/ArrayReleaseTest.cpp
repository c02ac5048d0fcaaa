#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace bindwell::test {
namespace {

constexpr uint32_t kArrayElement = 0xFFFFFFFF;

TEST(ArrayRelease, MappingForTheEmptyValueTakesPrecedenceOverTheRelease) {
    EngineHarness harness({makeProfile({
        makeMapping("vu", 0x0C, kArrayElement, RemapAction::holdLeftClick(), 233),
        makeMapping("empty", 0x0C, kArrayElement, RemapAction::disabled(), 0),
    })});
    harness.engine.start();
    harness.plugIn("a");
    harness.press("a", kArrayElement, 233);
    harness.press("a", kArrayElement, 0);
    // The profile says what the empty value does, so nothing is released for it.
    EXPECT_EQ(harness.platform.poster().descriptions(),
              (std::vector<std::string>{"post BTN_LEFT down"}));
    EXPECT_EQ(harness.engine.lastEvent(), "Label empty → Disabled (Block)");
}

TEST(ArrayRelease, PressesOfAnInterfaceThatWentAwayAreForgotten) {
    EngineHarness harness({makeProfile({
        makeMapping("vd", 0x0C, kArrayElement, RemapAction::escapeKey(), 234),
    })});
    harness.engine.start();
    harness.plugIn("a");
    harness.plugIn("b");
    harness.press("a", kArrayElement, 234);
    harness.platform.removeInterface("a");
    harness.plugIn("a");
    const std::string before = harness.engine.lastEvent();
    harness.press("a", kArrayElement, 0);
    EXPECT_EQ(harness.engine.lastEvent(), before);
}

TEST(ArrayRelease, NegativeArrayValueIsNeitherAPressNorTheEmptyValue) {
    EngineHarness harness({makeProfile({
        makeMapping("vu", 0x0C, kArrayElement, RemapAction::holdLeftClick(), 233),
    })});
    harness.engine.start();
    harness.plugIn("a");
    harness.press("a", kArrayElement, 233);
    harness.press("a", kArrayElement, -1);
    EXPECT_EQ(harness.platform.poster().descriptions(),
              (std::vector<std::string>{"post BTN_LEFT down"}));
    harness.press("a", kArrayElement, 0);
    EXPECT_EQ(harness.platform.poster().descriptions(),
              (std::vector<std::string>{"post BTN_LEFT down", "post BTN_LEFT up"}));
}

} // namespace
} // namespace bindwell::test
