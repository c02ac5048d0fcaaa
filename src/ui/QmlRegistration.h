// Main thread only.
#pragma once

namespace bindwell {

class AppState;
class ConfigStore;
class HIDInterceptor;
class Platform;

// Makes the shared objects and the setup window's view models available to
// QML under "Bindwell.Core" (the pages themselves are "Bindwell.Ui"). Call once,
// before the first engine loads a page; the objects must outlive every engine.
void registerQmlTypes(AppState& appState, ConfigStore& store, HIDInterceptor& engine,
                      Platform& platform);

} // namespace bindwell
