#include "platform/sim/SimPlatform.h"

#include "platform/sim/SimHidManager.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace bindwell::sim {
namespace {

// What a manager reported, as "matched a", "removed a", "value a 233".
struct Reports {
    HidManager::Callbacks callbacks(const SimPlatform& platform) {
        const auto idOf = [&platform](const HidDeviceRef& device) {
            for (const char* id : {"a", "b"}) {
                if (platform.interface(id) == device) {
                    return std::string(id);
                }
            }
            return std::string("?");
        };
        return {
            .matched = [this,
                        idOf](const HidDeviceRef& d) { lines.push_back("matched " + idOf(d)); },
            .removed = [this](const HidDeviceRef&) { lines.push_back("removed"); },
            .inputValue =
                [this, idOf](const HidInputValue& v) {
                    lines.push_back("value " + idOf(v.device) + " " + std::to_string(v.value));
                },
        };
    }
    std::vector<std::string> lines;
};

// A manager opened while interface "a" is present.
class SimManagerTest : public ::testing::Test {
protected:
    SimManagerTest() {
        platform.addInterface("a", 1, 2, "Remote");
        manager->open(reports.callbacks(platform));
    }

    SimPlatform platform;
    Reports reports;
    std::unique_ptr<HidManager> manager = platform.createHidManager();
};

TEST_F(SimManagerTest, InterfacesPresentAtOpenAreMatchedOnTheEventLoopNotInsideOpen) {
    EXPECT_TRUE(reports.lines.empty());
    QCoreApplication::sendPostedEvents();
    platform.addInterface("b", 1, 2, "Remote");
    platform.sendValue("a", 0x0C, 0xFFFFFFFF, 233);
    platform.removeInterface("a");
    EXPECT_EQ(reports.lines,
              (std::vector<std::string>{"matched a", "matched b", "value a 233", "removed"}));
}

TEST_F(SimManagerTest, InterfaceGoneBeforeTheLoopRunsIsNeverMatched) {
    platform.removeInterface("a");
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(reports.lines, std::vector<std::string>{"removed"});
}

} // namespace
} // namespace bindwell::sim
