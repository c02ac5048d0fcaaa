// Main thread only.
#pragma once

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace bindwell::test {

inline constexpr int64_t kRemoteVendor = 0x56E;
inline constexpr int64_t kRemoteProduct = 0x156;

inline ButtonMapping makeMapping(std::string id, int64_t usagePage, int64_t usageID,
                                 RemapAction action, std::optional<int64_t> matchValue = {}) {
    return {.id = id,
            .source = {usagePage, usageID, matchValue},
            .action = std::move(action),
            .label = "Label " + id,
            .isRemappable = true};
}

inline DeviceProfile makeProfile(std::vector<ButtonMapping> mappings, bool isActive = true,
                                 std::string id = "remote") {
    return {.id = std::move(id),
            .deviceName = "Remote",
            .vendorID = kRemoteVendor,
            .productID = kRemoteProduct,
            .serialNumber = {},
            .physicalPath = {},
            .buttonMappings = std::move(mappings),
            .isActive = isActive};
}

// An engine on the simulated platform with a store in a temporary folder.
class EngineHarness {
public:
    explicit EngineHarness(const std::vector<DeviceProfile>& profiles = {}) {
        for (const DeviceProfile& profile : profiles) {
            store.saveProfile(profile);
        }
    }

    // Delivers what the engine and the platform queued on the event loop.
    static void runLoop() {
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    QTemporaryDir folder;
    sim::SimPlatform platform;
    ConfigStore store{folder.path()};
    HIDInterceptor engine{platform, store};
};

} // namespace bindwell::test
