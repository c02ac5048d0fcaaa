// Main thread only.
#pragma once

#include "AcmeDevices.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"
#include "state/AppState.h"
#include "ui/QmlRegistration.h"

#include <QTemporaryDir>
#include <QTest>
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

// The shared objects of a running Bindwell over the simulated platform and a
// temporary configuration folder.
class SimShell {
public:
    static constexpr uint32_t playPause = 0xCD;

    [[nodiscard]] ConfigStore& store() { return files.store(); }

    // The controller of the stored profile is plugged in.
    void plugInController() {
        platform.addInterface("remote", TemporaryStore::vendorID, TemporaryStore::productID,
                              "Remote");
    }

    // One press of a consumer button; true once the engine has published it.
    [[nodiscard]] bool press(uint32_t usage) {
        // The engine learns of a new interface on the event loop, not at once.
        if (!QTest::qWaitFor([&] { return engine.session().trackedInterfaceCount() > 0; })) {
            return false;
        }
        const std::string before = engine.lastEvent();
        platform.sendValue("remote", 0x0C, usage, 1);
        return QTest::qWaitFor(
            [&] { return !engine.lastEvent().empty() && engine.lastEvent() != before; });
    }

    sim::SimPlatform platform;
    TemporaryStore files;
    HIDInterceptor engine{platform, files.store()};
    AppState appState{engine};
};

// QML singletons are registered once per process, so the tests that load
// pages share one set of objects that lives until the process ends.
inline SimShell& sharedShell() {
    static SimShell* shell = [] {
        auto* made = new SimShell;
        registerQmlTypes(made->appState, made->store(), made->engine, made->platform);
        return made;
    }();
    return *shell;
}

} // namespace bindwell::test
