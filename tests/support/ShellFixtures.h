// Main thread only.
#pragma once

#include "AcmeDevices.h"
#include "model/ConfigStore.h"

#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <string>

namespace bindwell::test {

// A store in a fresh temporary folder, written the way a given launch finds it.
class TemporaryStore {
public:
    TemporaryStore() : store_(std::make_unique<ConfigStore>(folder_.path())) {}

    [[nodiscard]] ConfigStore& store() { return *store_; }

    // A stored profile with the generic layout for a controller called `deviceName`.
    void addProfile(const std::string& deviceName, bool isActive) {
        DeviceProfile profile = genericProfile(acmeDevice(deviceName, vendorID, productID));
        profile.id = deviceName;
        profile.deviceName = deviceName;
        profile.isActive = isActive;
        store_->saveProfile(profile);
    }

    static constexpr int64_t vendorID = 0x1234;
    static constexpr int64_t productID = 0x5678;

    // Re-reads the folder, as the next launch would.
    void reopen() { store_ = std::make_unique<ConfigStore>(folder_.path()); }

private:
    QTemporaryDir folder_;
    std::unique_ptr<ConfigStore> store_;
};

} // namespace bindwell::test
