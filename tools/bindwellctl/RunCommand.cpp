// bindwellctl run: remapping without window or tray, for headless machines
// and the systemd user service. Every active profile remaps its controller. It writes the same log
// lines as the application and, on SIGINT or SIGTERM, stops the engine and lets go of anything it
// still holds down before exiting.
#include "BusyMainThread.h"
#include "Command.h"
#include "CtlApplication.h"
#include "QuitOnSignal.h"
#include "engine/FocusFollowing.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/focus/FocusProbe.h"
#include "support/Log.h"

#include <QCoreApplication>
#include <cstdio>

namespace bindwell::ctl {
namespace {

int run(const std::vector<std::string_view>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: bindwellctl run\n");
        return 2;
    }
    // Nothing here needs GLib's main loop; Qt's own dispatcher does less work
    // per wake-up, and every button press is one.
    qputenv("QT_NO_GLIB", "1");
    const CtlApplication application;
    LinuxPlatform platform;
    // It only reads: the application is the one to set a broken file aside.
    ConfigStore store(ConfigStore::defaultFolder(), nullptr, ConfigStore::Mode::readOnly);
    if (!store.hasActiveProfile()) {
        log("No active profile found");
        return 1;
    }
    const QuitOnSignal quitOnSignal;
    const BusyMainThread busyForTests;
    HIDInterceptor engine(platform, store);
    // Application rules follow the desktop's focus; the probe logs which
    // desktop interface it follows, or why none.
    const std::unique_ptr<FocusSource> focus = linuxplatform::openFocusSource();
    followFocus(*focus, engine);
    engine.start();
    QCoreApplication::exec();
    engine.shutdown();
    return 0;
}

const CommandRegistration registration({
    .name = "run",
    .usage = "run",
    .summary = "remap the controllers of the active profiles without window or tray, until "
               "interrupted",
    .run = run,
});

} // namespace
} // namespace bindwell::ctl
