// Main thread only.
#pragma once

#include "SimShell.h"
#include "ui/QmlRegistration.h"

namespace bindwell::test {

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
