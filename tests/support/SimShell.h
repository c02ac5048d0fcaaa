// Main thread only.
#pragma once

#include "ShellFixtures.h"
#include "engine/HIDInterceptor.h"
#include "platform/sim/SimPlatform.h"
#include "state/AppState.h"

#include <QTest>
#include <cstdint>

namespace bindwell::test {

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
        if (!QTest::qWaitFor([&] { return !engine.session().trackedDevices().empty(); })) {
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

} // namespace bindwell::test
