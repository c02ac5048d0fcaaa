// bindwellctl focus: prints the focused application on every change, as the
// per-application actions see it, one line each: the desktop interface, the
// app id, the X11 class and the title, separated by tabs.
#include "Command.h"
#include "CtlApplication.h"
#include "QuitOnSignal.h"
#include "platform/linux/focus/FocusProbe.h"
#include "support/Text.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

namespace bindwell::ctl {
namespace {

int focus(const std::vector<std::string_view>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: bindwellctl focus\n");
        return 2;
    }
    const CtlApplication application;
    const QuitOnSignal quitOnSignal;
    const std::unique_ptr<FocusSource> source = linuxplatform::openFocusSource();
    if (!source->unavailableReason().empty()) {
        return 1;
    }
    const std::string name(source->name());
    source->setHandler([&](const FocusedApp& app) {
        // The applications' own text: a tab or line break would split the
        // line's fields, an escape sequence would drive the terminal.
        std::printf("%s\t%s\t%s\t%s\n", name.c_str(), escapeControls(app.appId).c_str(),
                    escapeControls(app.wmClass).c_str(), escapeControls(app.title).c_str());
        std::fflush(stdout);
        if (!source->unavailableReason().empty()) {
            QCoreApplication::exit(1);
        }
    });
    return QCoreApplication::exec();
}

const CommandRegistration registration({
    .name = "focus",
    .usage = "focus",
    .summary = "print the focused application on every change, until interrupted",
    .run = focus,
});

} // namespace
} // namespace bindwell::ctl
