#include "ScenarioRunner.h"

#include "model/HidUsages.h"
#include "platform/linux/HidKeyTable.h"
#include "platform/linux/PostedKeyNames.h"
#include "support/Log.h"

#include <QCoreApplication>
#include <array>
#include <cstdio>
#include <limits>
#include <string>

namespace bindwell::ctl {
namespace {

constexpr int64_t kUint32Max = std::numeric_limits<uint32_t>::max();

// Output goes through stdout and is flushed line by line, like the log, so
// both interleave in the order things happen.
void printLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Counts the events the loop delivers, to tell when it has run dry.
class DeliveryCounter final : public QObject {
public:
    [[nodiscard]] long count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        ++count_;
        return QObject::eventFilter(watched, event);
    }

private:
    long count_ = 0;
};

ScenarioError missingInterface(std::string_view id) {
    return ScenarioError("no interface '" + std::string(id) + "' is present");
}

} // namespace

struct ScenarioRunner::Command {
    std::string_view name;
    size_t argumentCount;
    // The last argument runs to the end of the line (a name or a label).
    bool lastArgumentIsText;
    // How many arguments beyond argumentCount may follow.
    size_t optionalCount;
    std::string_view usage;
    void (ScenarioRunner::*perform)(const ScenarioLine&);
};

const ScenarioRunner::Command* ScenarioRunner::findCommand(std::string_view name) {
    static constexpr std::array<Command, 19> kCommands{{
        {"device", 4, true, 0, "device ID VENDOR PRODUCT NAME...", &ScenarioRunner::addDevice},
        {"keyboard", 4, true, 0, "keyboard ID VENDOR PRODUCT NAME...",
         &ScenarioRunner::addKeyboard},
        {"property", 3, true, 0, "property ID KEY VALUE...", &ScenarioRunner::setProperty},
        {"remove", 1, false, 0, "remove ID", &ScenarioRunner::removeDevice},
        {"refuse-seize", 2, false, 0, "refuse-seize ID CODE", &ScenarioRunner::refuseSeize},
        {"deny-tap", 0, false, 0, "deny-tap", &ScenarioRunner::denyTap},
        {"start", 0, false, 0, "start", &ScenarioRunner::start},
        {"stop", 0, false, 0, "stop", &ScenarioRunner::stop},
        {"toggle", 0, false, 0, "toggle", &ScenarioRunner::toggle},
        {"at", 1, false, 0, "at SECONDS", &ScenarioRunner::setTime},
        {"mark", 1, true, 0, "mark TEXT...", &ScenarioRunner::mark},
        {"value", 4, false, 0, "value ID PAGE USAGE VALUE", &ScenarioRunner::sendValue},
        {"media", 2, false, 1, "media KEY_NAME down|up [FROM_ID]", &ScenarioRunner::pressMediaKey},
        {"mouse", 2, false, 1, "mouse BTN_NAME down|up [FROM_ID]",
         &ScenarioRunner::pressMouseButton},
        {"scan", 0, false, 0, "scan", &ScenarioRunner::scan},
        {"edit", 2, true, 0, "edit MAPPING_ID ACTION", &ScenarioRunner::editMapping},
        {"activate", 2, false, 0, "activate PROFILE_ID on|off", &ScenarioRunner::activateProfile},
        {"controllers", 0, false, 0, "controllers", &ScenarioRunner::printControllers},
        {"focus", 1, false, 1, "focus APPID [WMCLASS]", &ScenarioRunner::changeFocus},
    }};
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

ScenarioRunner::ScenarioRunner(const QString& configFolder)
    : store_(configFolder), engine_(platform_, store_), appState_(engine_) {
    platform_.poster().setObserver(
        [](const OutputEvent& event) { printLine(sim::describePosted(event)); });
    QObject::connect(&engine_, &HIDInterceptor::lastEventChanged,
                     [this] { printLine("lastEvent: " + engine_.lastEvent()); });
    QObject::connect(&appState_, &AppState::isRemappingChanged, [this] {
        printLine(appState_.isRemapping() ? "isRemapping: true" : "isRemapping: false");
    });
}

int ScenarioRunner::run(std::istream& script) {
    std::string text;
    for (int number = 1; std::getline(script, text); ++number) {
        const ScenarioLine line(text);
        if (line.isEmpty() || line.command().starts_with('#')) {
            continue;
        }
        try {
            execute(line);
        } catch (const ScenarioError& error) {
            std::fprintf(stderr, "error: line %d: %s\n", number, error.what());
            return 2;
        }
        runEventLoopUntilIdle();
    }
    return 0;
}

void ScenarioRunner::execute(const ScenarioLine& line) {
    const Command* command = findCommand(line.command());
    if (command == nullptr) {
        throw ScenarioError("unknown command '" + std::string(line.command()) + "'");
    }
    const size_t count = line.argumentCount();
    const bool countFits = command->lastArgumentIsText
                               ? count >= command->argumentCount
                               : count >= command->argumentCount &&
                                     count <= command->argumentCount + command->optionalCount;
    if (!countFits) {
        throw ScenarioError("expected " + std::string(command->usage));
    }
    (this->*command->perform)(line);
}

void ScenarioRunner::runEventLoopUntilIdle() {
    // Deferred work (lastEvent, matched interfaces after an open) is posted to
    // the loop and may post more; run it until a pass delivers nothing.
    DeliveryCounter counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    long delivered = -1;
    while (delivered != counter.count()) {
        delivered = counter.count();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    QCoreApplication::instance()->removeEventFilter(&counter);
}

sim::SimHidDevice& ScenarioRunner::presentInterface(std::string_view id) const {
    const auto device = platform_.interface(id);
    if (!device) {
        throw missingInterface(id);
    }
    return *device;
}

void ScenarioRunner::addDevice(const ScenarioLine& line) {
    const int64_t vendorID = parseInteger(line.argument(1));
    const int64_t productID = parseInteger(line.argument(2));
    if (!platform_.addInterface(line.argument(0), vendorID, productID, line.textFrom(3))) {
        throw ScenarioError("interface '" + std::string(line.argument(0)) + "' is already present");
    }
}

void ScenarioRunner::addKeyboard(const ScenarioLine& line) {
    const int64_t vendorID = parseInteger(line.argument(1));
    const int64_t productID = parseInteger(line.argument(2));
    if (!platform_.addInterface(line.argument(0), vendorID, productID, line.textFrom(3),
                                HidInterfaceKind::keyboardKeys)) {
        throw ScenarioError("interface '" + std::string(line.argument(0)) + "' is already present");
    }
}

void ScenarioRunner::setProperty(const ScenarioLine& line) {
    HidDeviceDescription& description = presentInterface(line.argument(0)).description();
    const std::string_view key = line.argument(1);
    struct Text {
        std::string_view key;
        std::string HidDeviceDescription::*field;
    };
    static constexpr std::array<Text, 5> kTexts{{
        {"Product", &HidDeviceDescription::product},
        {"Manufacturer", &HidDeviceDescription::manufacturer},
        {"Transport", &HidDeviceDescription::transport},
        {"SerialNumber", &HidDeviceDescription::serialNumber},
        {"PhysicalPath", &HidDeviceDescription::physicalPath},
    }};
    for (const Text& text : kTexts) {
        if (text.key == key) {
            description.*text.field = std::string(line.textFrom(2));
            return;
        }
    }
    if (key == "VendorID" || key == "ProductID") {
        (key == "VendorID" ? description.vendorID : description.productID) =
            parseInteger(line.argument(2));
        return;
    }
    throw ScenarioError("unknown property '" + std::string(key) +
                        "' (Product, Manufacturer, Transport, VendorID, ProductID, "
                        "SerialNumber, PhysicalPath)");
}

void ScenarioRunner::removeDevice(const ScenarioLine& line) {
    if (!platform_.removeInterface(line.argument(0))) {
        throw missingInterface(line.argument(0));
    }
}

void ScenarioRunner::refuseSeize(const ScenarioLine& line) {
    const auto code = parseInteger(line.argument(1), std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max());
    presentInterface(line.argument(0)).setSeizeResult(static_cast<int32_t>(code));
}

void ScenarioRunner::denyTap(const ScenarioLine&) {
    platform_.setTapAllowed(false);
}

void ScenarioRunner::start(const ScenarioLine&) {
    engine_.start();
}

void ScenarioRunner::stop(const ScenarioLine&) {
    engine_.stop();
}

void ScenarioRunner::toggle(const ScenarioLine&) {
    appState_.toggleRemapping();
}

// Time passes as it would: every wake-up the engine asked for on the way
// runs at its own time, and what it publishes comes out before the next.
void ScenarioRunner::setTime(const ScenarioLine& line) {
    const double until = parseSeconds(line.argument(0));
    while (platform_.passWake(until)) {
        runEventLoopUntilIdle();
    }
    platform_.simClock().set(until);
}

// Shows in the output where the script has got to, e.g. before a time
// passes that fires a deadline.
void ScenarioRunner::mark(const ScenarioLine& line) {
    printLine("mark " + std::string(line.textFrom(0)));
}

void ScenarioRunner::sendValue(const ScenarioLine& line) {
    const auto usagePage = static_cast<uint32_t>(parseInteger(line.argument(1), 0, kUint32Max));
    const auto usage = static_cast<uint32_t>(parseInteger(line.argument(2), 0, kUint32Max));
    const int64_t value = parseInteger(line.argument(3));
    if (!platform_.sendValue(line.argument(0), usagePage, usage, value)) {
        throw missingInterface(line.argument(0));
    }
}

// Scripts name keys and buttons as the kernel does; the tap sees them as the
// HID usages the kernel made them from.
void ScenarioRunner::pressMediaKey(const ScenarioLine& line) {
    const linuxplatform::HidUsage usage =
        usageNamed(line.argument(0), "a consumer key (KEY_VOLUMEUP)");
    if (usage.page != hid::kConsumerPage) {
        throw ScenarioError("'" + std::string(line.argument(0)) + "' is not a consumer key");
    }
    feedTap(MediaKey{.usage = usage.usage, .pressed = parseDirection(line.argument(1))}, line);
}

void ScenarioRunner::pressMouseButton(const ScenarioLine& line) {
    const linuxplatform::HidUsage usage = usageNamed(line.argument(0), "a mouse button (BTN_SIDE)");
    if (usage.page != hid::kButtonPage) {
        throw ScenarioError("'" + std::string(line.argument(0)) + "' is not a mouse button");
    }
    feedTap(ExtraButton{.number = static_cast<int>(usage.usage),
                        .pressed = parseDirection(line.argument(1))},
            line);
}

linuxplatform::HidUsage ScenarioRunner::usageNamed(std::string_view name,
                                                   std::string_view expected) {
    const std::optional<uint16_t> code = linuxplatform::keyCodeNamed(name);
    const std::optional<linuxplatform::HidUsage> usage =
        code ? linuxplatform::hidUsageForEvdevKey(*code) : std::nullopt;
    if (!usage) {
        throw ScenarioError("expected " + std::string(expected) + ", not '" + std::string(name) +
                            "'");
    }
    return *usage;
}

void ScenarioRunner::feedTap(const TapEvent& event, const ScenarioLine& line) {
    std::optional<DeviceIdentity> source;
    if (line.argumentCount() > 2) {
        source = presentInterface(line.argument(2)).description().unit();
    }
    if (const auto verdict = platform_.feedTapEvent(event, source ? &*source : nullptr)) {
        printLine(*verdict == TapVerdict::swallow ? "tap swallow" : "tap pass");
    }
}

void ScenarioRunner::scan(const ScenarioLine&) {
    appState_.scanDevices();
}

void ScenarioRunner::editMapping(const ScenarioLine& line) {
    const RemapAction action = parseAction(line.textFrom(1));
    const std::optional<DeviceProfile> profile = store_.activeProfile();
    if (!profile) {
        throw ScenarioError("the configuration has no active profile to edit");
    }
    store_.updateMapping(profile->id, std::string(line.argument(0)), action);
}

} // namespace bindwell::ctl

namespace bindwell::ctl {

void ScenarioRunner::activateProfile(const ScenarioLine& line) {
    const std::string id(line.argument(0));
    if (!store_.profileWithID(id)) {
        throw ScenarioError("no profile '" + id + "' is stored");
    }
    const std::string_view state = line.argument(1);
    if (state != "on" && state != "off") {
        throw ScenarioError("expected on or off, not '" + std::string(state) + "'");
    }
    store_.setProfileActive(id, state == "on");
}

// One line per present controller: its profile, its serial number (or "-")
// and its last event.
void ScenarioRunner::printControllers(const ScenarioLine&) {
    printLine("controllers: " + std::to_string(engine_.controllers().size()));
    for (const ControllerStatus& controller : engine_.controllers()) {
        const std::string& serial = controller.unit->serialNumber;
        printLine("  " + controller.profile->id + " " + (serial.empty() ? "-" : serial) + " " +
                  (controller.lastEvent.empty() ? "(no event yet)" : controller.lastEvent));
    }
}

// "-" stands for an empty app id, as a window without one reports.
void ScenarioRunner::changeFocus(const ScenarioLine& line) {
    const std::string_view appId = line.argument(0);
    engine_.setFocusedApp({.appId = appId == "-" ? "" : std::string(appId),
                           .wmClass = line.argumentCount() > 1 ? std::string(line.argument(1)) : "",
                           .title = ""});
}

} // namespace bindwell::ctl
