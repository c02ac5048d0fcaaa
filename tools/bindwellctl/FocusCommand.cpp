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

// Titles are the applications' own text: a tab or line break in one would
// split the line's fields, an escape sequence would drive the terminal.
std::string field(const std::string& text) {
    return escapeControls(text);
}

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
        std::printf("%s\t%s\t%s\t%s\n", name.c_str(), field(app.appId).c_str(),
                    field(app.wmClass).c_str(), field(app.title).c_str());
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
