// Main thread only.
#pragma once

#include "ScenarioSyntax.h"
#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/linux/HidKeyTable.h"
#include "platform/sim/SimPlatform.h"
#include "state/AppState.h"

#include <QString>
#include <istream>
#include <string_view>

namespace bindwell::ctl {

// Runs the real engine, application state and store on the simulated platform
// and plays a script against them, printing every log line, posted event, tap
// verdict and published change in the order it happens. Needs a running
// QCoreApplication; the store lives in `configFolder`.
class ScenarioRunner final {
public:
    explicit ScenarioRunner(const QString& configFolder);
    ScenarioRunner(const ScenarioRunner&) = delete;
    ScenarioRunner& operator=(const ScenarioRunner&) = delete;

    // 0 when every line ran; 2 after reporting the first bad line on stderr.
    [[nodiscard]] int run(std::istream& script);

private:
    struct Command;
    [[nodiscard]] static const Command* findCommand(std::string_view name);

    void execute(const ScenarioLine& line);
    void runEventLoopUntilIdle();

    void addDevice(const ScenarioLine& line);
    // A keyboard-key interface (a presenter's, a pedal's).
    void addKeyboard(const ScenarioLine& line);
    void setProperty(const ScenarioLine& line);
    void removeDevice(const ScenarioLine& line);
    void refuseSeize(const ScenarioLine& line);
    void denyTap(const ScenarioLine& line);
    void start(const ScenarioLine& line);
    void stop(const ScenarioLine& line);
    void toggle(const ScenarioLine& line);
    void setTime(const ScenarioLine& line);
    void mark(const ScenarioLine& line);
    void sendValue(const ScenarioLine& line);
    void pressMediaKey(const ScenarioLine& line);
    void pressMouseButton(const ScenarioLine& line);
    void scan(const ScenarioLine& line);
    void editMapping(const ScenarioLine& line);
    void activateProfile(const ScenarioLine& line);
    void printControllers(const ScenarioLine& line);
    void changeFocus(const ScenarioLine& line);

    [[nodiscard]] sim::SimHidDevice& presentInterface(std::string_view id) const;
    // From the interface named by the line's third argument, if it has one.
    void feedTap(const TapEvent& event, const ScenarioLine& line);
    [[nodiscard]] static linuxplatform::HidUsage usageNamed(std::string_view name,
                                                            std::string_view expected);

    // Declared in dependency order: the engine uses the platform and the
    // store, the application state observes the engine.
    sim::SimPlatform platform_;
    ConfigStore store_;
    HIDInterceptor engine_;
    AppState appState_;
};

} // namespace bindwell::ctl
