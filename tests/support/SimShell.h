// Main thread only.
#pragma once

#include "AcmeDevices.h"
#include "EngineHarness.h"
#include "state/AppState.h"
#include "ui/QmlRegistration.h"

#include <QSignalSpy>
#include <QTest>
#include <string>

namespace bindwell::test {

// The objects of a running Bindwell over the simulated platform and a
// temporary configuration folder.
class SimShell : public EngineHarness {
public:
    static constexpr uint32_t playPause = 0xCD;

    // A stored profile with the generic layout for the remote, called `deviceName`.
    void addProfile(const std::string& deviceName, bool isActive) {
        DeviceProfile profile =
            genericProfile(acmeDevice(deviceName, kRemoteVendor, kRemoteProduct));
        profile.id = deviceName;
        profile.isActive = isActive;
        store.saveProfile(profile);
    }

    // A unit of the remote is plugged in.
    std::shared_ptr<sim::SimHidDevice> plugIn(std::string_view id = "remote") {
        return platform.addInterface(id, kRemoteVendor, kRemoteProduct, "Remote");
    }

    // One press of a consumer button; true once the engine has published it.
    [[nodiscard]] bool press(uint32_t usage, std::string_view id = "remote") {
        // The engine learns of a new interface on the event loop, not at once.
        if (!QTest::qWaitFor([&] { return engine.session().trackedInterfaceCount() > 0; })) {
            return false;
        }
        // A second later than the last, so the repeat filter lets it through.
        platform.simClock().set(platform.simClock().uptimeSeconds() + 1);
        QSignalSpy published(&engine, &HIDInterceptor::lastEventChanged);
        platform.sendValue(id, 0x0C, usage, 1);
        return QTest::qWaitFor([&] { return published.count() > 0; });
    }

    AppState appState{engine};
};

// QML singletons are registered once per process, so the tests that load
// pages share one set of objects that lives until the process ends.
inline SimShell& sharedShell() {
    static SimShell* shell = [] {
        auto* made = new SimShell;
        registerQmlTypes(made->appState, made->store, made->engine, made->platform);
        return made;
    }();
    return *shell;
}

} // namespace bindwell::test
