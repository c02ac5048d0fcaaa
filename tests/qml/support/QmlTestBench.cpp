#include "QmlTestBench.h"

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"
#include "state/AppState.h"
#include "ui/GnomeFocusExtension.h"
#include "ui/PermissionStatus.h"
#include "ui/QmlRegistration.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace bindwell::test {

struct QmlTestBench::World {
    sim::SimPlatform platform;
    QTemporaryDir folder;
    ConfigStore store{folder.path()};
    HIDInterceptor engine{platform, store};
    AppState appState{engine};
};

QmlTestBench::QmlTestBench() = default;

QmlTestBench::~QmlTestBench() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void QmlTestBench::applicationAvailable() {
    // Test mode keeps the standard paths under $HOME/.qttest; a home of the
    // suite's own keeps suites running side by side out of each other's
    // files (the autostart entry among them).
    qputenv("HOME", home_.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    writeDesktopFiles();
    world_ = std::make_unique<World>();
    registerQmlTypes(world_->appState, world_->store, world_->engine, world_->platform);
    qmlRegisterSingletonInstance("Bindwell.Test", 1, 0, "TestBench", this);
    connect(&world_->engine, &HIDInterceptor::isRunningChanged, this,
            [this] { engineStarts_ += world_->engine.isRunning() ? 1 : 0; });
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordOpenedUrl");
}

// No test may run pkexec: the pages' access requests are recorded instead.
// Every test starts with a uinput node that exists, so the pages do not
// depend on the host's modules.
void QmlTestBench::qmlEngineAvailable(QQmlEngine* engine) {
    const int type = qmlTypeId("Bindwell.Core", 1, 0, "PermissionStatus");
    if (auto* status = engine->singletonInstance<PermissionStatus*>(type)) {
        permissionStatus_ = status;
        setUinputNode(QStringLiteral("/"));
        status->setLauncher(
            [this](const AccessGrantCommand& command, std::function<void(int)> done) {
                accessRequests_.append(command.program + u' ' + command.arguments.join(u' '));
                done(0);
            });
    }
    // No test runs the host's GNOME commands, even on a GNOME desktop.
    qputenv("XDG_CURRENT_DESKTOP", "");
    const int gnomeType = qmlTypeId("Bindwell.Core", 1, 0, "GnomeFocusExtension");
    if (auto* extension = engine->singletonInstance<GnomeFocusExtension*>(gnomeType)) {
        extension->setRunner([this](const QString& program, const QStringList& arguments,
                                    std::function<void(const CommandResult&)> finished) {
            if (program == QLatin1String("gnome-shell")) {
                finished({0, QStringLiteral("GNOME Shell 46.0")});
            } else if (arguments.value(0) == QLatin1String("info")) {
                finished(gnomeExtensionState_.isEmpty()
                             ? CommandResult{2, QStringLiteral("Extension does not exist")}
                             : CommandResult{0, QStringLiteral("State: ") + gnomeExtensionState_});
            } else {
                finished({0, {}});
            }
        });
    }
}

void QmlTestBench::setGnomeShell(const QString& desktop, const QString& extensionState) {
    qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
    gnomeExtensionState_ = extensionState;
}

// The host's own .desktop files stay out of the suite's sight.
void QmlTestBench::writeDesktopFiles() {
    const QString data = home_.filePath(QStringLiteral("share"));
    QDir().mkpath(data + QStringLiteral("/applications"));
    qputenv("XDG_DATA_HOME", data.toUtf8());
    qputenv("XDG_DATA_DIRS", home_.filePath(QStringLiteral("none")).toUtf8());
    QFile file(data + QStringLiteral("/applications/org.example.Notes.desktop"));
    if (file.open(QIODevice::WriteOnly)) {
        file.write("[Desktop Entry]\nType=Application\nName=Notes\n"
                   "Icon=accessories-text-editor\nStartupWMClass=notes\n");
    }
}

void QmlTestBench::focusApp(const QString& appId, const QString& wmClass) {
    world_->engine.setFocusedApp({appId.toStdString(), wmClass.toStdString(), {}});
}

void QmlTestBench::cleanupTestCase() {
    // The engine may hold a seized simulated device; let it go before the
    // platform disappears.
    world_->engine.stop();
}

void QmlTestBench::recordOpenedUrl(const QUrl& url) {
    openedUrls_.append(url.toString());
}

void QmlTestBench::setPermissions(bool accessibility, bool inputMonitoring) {
    world_->platform.simPermissions().setCanPostEvents(accessibility);
    world_->platform.simPermissions().setCanMonitorInput(inputMonitoring);
}

void QmlTestBench::setUinputNode(const QString& path) {
    permissionStatus_->setUinputNode(path);
    permissionStatus_->refresh();
}

void QmlTestBench::addDevice(const QString& id, int vendorID, int productID, const QString& name,
                             const QString& serialNumber) {
    auto device =
        world_->platform.addInterface(id.toStdString(), vendorID, productID, name.toStdString());
    if (!device) {
        return;
    }
    if (!serialNumber.isEmpty()) {
        device->setProperty(hidproperty::serialNumber, serialNumber.toStdString());
    }
    deviceIDs_.append(id);
}

QString QmlTestBench::storeProfileWithoutButtons(int vendorID, int productID, const QString& name) {
    DeviceProfile profile;
    profile.id = "device_" + std::to_string(vendorID) + "_" + std::to_string(productID);
    profile.deviceName = name.toStdString();
    profile.vendorID = vendorID;
    profile.productID = productID;
    profile.isActive = true;
    world_->store.saveProfile(profile);
    return QString::fromStdString(profile.id);
}

void QmlTestBench::removeAllDevices() {
    for (const QString& id : std::as_const(deviceIDs_)) {
        world_->platform.removeInterface(id.toStdString());
    }
    deviceIDs_.clear();
}

void QmlTestBench::click(const QString& id, int usage) {
    const auto usageID = static_cast<uint32_t>(usage);
    world_->platform.sendValue(id.toStdString(), 0x0C, usageID, 1);
    world_->platform.sendValue(id.toStdString(), 0x0C, usageID, 0);
}

QStringList QmlTestBench::postedEvents() const {
    QStringList list;
    for (const std::string& line : world_->platform.poster().descriptions()) {
        list.append(QString::fromStdString(line));
    }
    return list;
}

QString QmlTestBench::configText() const {
    QFile file(world_->store.configPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool QmlTestBench::storedSetupFlag() const {
    const QString path = QFileInfo(world_->store.configPath()).dir().filePath("Bindwell.conf");
    return QSettings(path, QSettings::IniFormat).value(ConfigStore::setupKey, false).toBool();
}

QString QmlTestBench::storedAction(const QString& label) const {
    const auto& shown = world_->appState.activeProfile();
    if (const auto profile = shown ? world_->store.profileWithID(shown->id) : std::nullopt) {
        for (const ButtonMapping& mapping : profile->buttonMappings) {
            if (mapping.label == label.toStdString()) {
                return QString::fromStdString(mapping.action.displayName());
            }
        }
    }
    return {};
}

QString QmlTestBench::screenshotPath(const QString& name) const {
    const QString folder = QStringLiteral(BINDWELL_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return QDir(folder).filePath(name + QStringLiteral(".png"));
}

} // namespace bindwell::test
