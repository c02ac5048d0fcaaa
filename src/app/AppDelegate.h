// Main thread only.
#pragma once

#include <QObject>

namespace bindwell {

class ConfigStore;
class HIDInterceptor;

// The launch sequence: start remapping when a profile is active, and on a first
// run bring the setup window forward once the desktop has had time to map it.
class AppDelegate final : public QObject {
    Q_OBJECT

public:
    // Long enough for a window shown during start-up to be mapped by the
    // window manager, short enough to feel immediate.
    static constexpr int bringToFrontDelayMs = 500;
    static constexpr const char* setupWindowTitle = "Bindwell";

    AppDelegate(const ConfigStore& store, HIDInterceptor& engine, QObject* parent = nullptr);

    void applicationDidFinishLaunching();

private:
    void bringSetupWindowToFront();

    const ConfigStore& store_;
    HIDInterceptor& engine_;
};

} // namespace bindwell
