#include "platform/sim/SimPermissions.h"
#include "ui/PermissionStatus.h"

#include <gtest/gtest.h>
#include <vector>

namespace bindwell {
namespace {

DetectedHIDDevice remote(int64_t vendorID, int64_t productID) {
    DetectedHIDDevice device;
    device.vendorID = vendorID;
    device.productID = productID;
    return device;
}

// The setup window asks polkit for read access to a picked controller whose
// nodes are still closed; the launcher records what would have run.
class AccessRequestTest : public ::testing::Test {
protected:
    AccessRequestTest() {
        status_.setLauncher(
            [this](const AccessGrantCommand& command, std::function<void(int)> finished) {
                commands_.push_back(command);
                finish_ = std::move(finished);
            });
    }

    sim::SimPermissions permissions_;
    PermissionStatus status_{permissions_};
    std::vector<AccessGrantCommand> commands_;
    std::function<void(int)> finish_;
};

// The commands themselves ("pkexec .../bindwellctl grant 056e:0156", and the
// keyboard-key grant) are checked by the first-run QML test.
TEST_F(AccessRequestTest, OnePromptPerClosedDeviceAndNeverTwoAtOnce) {
    status_.requestDeviceAccess(remote(0x56e, 0x156));
    EXPECT_TRUE(commands_.empty()) << "a readable controller needs no prompt";

    permissions_.setCanMonitorInput(false);
    status_.requestDeviceAccess(remote(0x56e, 0x156));
    status_.requestDeviceAccess(remote(0x46d, 0xc52b)); // while the first prompt is open
    ASSERT_EQ(commands_.size(), 1U);
    finish_(126); // the user dismissed the prompt
    status_.requestDeviceAccess(remote(0x56e, 0x156));
    EXPECT_EQ(commands_.size(), 1U) << "a dismissed prompt is not shown again";
    status_.requestDeviceAccess(remote(0x46d, 0xc52b));
    ASSERT_EQ(commands_.size(), 2U);
    EXPECT_EQ(commands_[1].arguments.last(), QStringLiteral("046d:c52b"));

    // Once the grant is through, the guide's flag follows at once.
    permissions_.setCanMonitorInput(true);
    finish_(0);
    EXPECT_TRUE(status_.inputMonitoringGranted());
}

} // namespace
} // namespace bindwell
