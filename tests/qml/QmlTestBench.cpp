// Main thread only.
#include "SimShell.h"
#include "ui/GnomeFocusExtension.h"
#include "ui/PermissionStatus.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtQuickTest>
#include <memory>

namespace bindwell::test {

// The Qt Quick Test setup shared by every QML suite, and what the tests may
// do to the world around the pages ("Bindwell.Test"): plug devices in, grant
// permissions, press buttons, and read what reached the file and the
// simulated desktop. The world is a shell of its own, all registered for
// QML; each suite is its own process with its own home.
class QmlTestBench final : public QObject {
    Q_OBJECT

public:
    ~QmlTestBench() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    [[nodiscard]] Q_INVOKABLE int engineStarts() const { return engineStarts_; }
    // Local files the pages asked the desktop to open; nothing is really opened.
    [[nodiscard]] Q_INVOKABLE QStringList openedUrls() const { return openedUrls_; }
    // The commands the pages would have run to ask for device access
    // ("pkexec .../bindwellctl grant 056e:0156"); each is answered at once.
    [[nodiscard]] Q_INVOKABLE QStringList accessRequests() const { return accessRequests_; }

    Q_INVOKABLE void setPermissions(bool accessibility, bool inputMonitoring) {
        world_->platform.simPermissions().setCanPostEvents(accessibility);
        world_->platform.simPermissions().setCanMonitorInput(inputMonitoring);
    }

    // Where the guide looks for the uinput module's node.
    Q_INVOKABLE void setUinputNode(const QString& path) {
        permissionStatus_->setUinputNode(path);
        permissionStatus_->refresh();
    }

    // A serial number tells two units of one model apart. A presenter or
    // pedal has keyboard keys: the system takes it for a keyboard.
    Q_INVOKABLE void addDevice(const QString& id, int vendorID, int productID, const QString& name,
                               const QString& serialNumber = {}, bool keyboardKeys = false) {
        const auto kind =
            keyboardKeys ? HidInterfaceKind::keyboardKeys : HidInterfaceKind::consumerControl;
        if (auto device = world_->platform.addInterface(id.toStdString(), vendorID, productID,
                                                        name.toStdString(), kind)) {
            device->description().serialNumber = serialNumber.toStdString();
        }
    }

    Q_INVOKABLE void removeDevice(const QString& id) {
        world_->platform.removeInterface(id.toStdString());
    }

    // Stores an active profile for the model that lists no buttons, as one
    // written by hand or made for a device without a layout; returns its id.
    Q_INVOKABLE QString storeProfileWithoutButtons(int vendorID, int productID,
                                                   const QString& name) {
        DeviceProfile profile;
        profile.id = "device_" + std::to_string(vendorID) + "_" + std::to_string(productID);
        profile.deviceName = name.toStdString();
        profile.vendorID = vendorID;
        profile.productID = productID;
        profile.isActive = true;
        world_->store.saveProfile(profile);
        return QString::fromStdString(profile.id);
    }

    // A press and release of one usage on a plugged-in interface, inside a
    // modifier key's press when one is given.
    Q_INVOKABLE void click(const QString& id, int usage, int page = 0x0C, int modifier = 0) {
        const auto send = [&](int key, int value) {
            if (key != 0) {
                world_->platform.sendValue(id.toStdString(), uint32_t(page), uint32_t(key), value);
            }
        };
        send(modifier, 1);
        send(usage, 1);
        send(usage, 0);
        send(modifier, 0);
    }

    [[nodiscard]] Q_INVOKABLE QStringList postedEvents() const {
        QStringList list;
        for (const std::string& line : world_->platform.poster().descriptions()) {
            list.append(QString::fromStdString(line));
        }
        return list;
    }

    // The desktop reports a new focused application. The suite's desktop
    // files name one application: id "org.example.Notes", WM_CLASS "notes",
    // "Notes" with the icon "accessories-text-editor".
    Q_INVOKABLE void focusApp(const QString& appId, const QString& wmClass) {
        world_->engine.setFocusedApp({appId.toStdString(), wmClass.toStdString(), {}});
    }

    // The desktop named by XDG_CURRENT_DESKTOP and the focus extension's state
    // as "gnome-extensions info" prints it ("DISABLED", "ACTIVE"; empty: not
    // installed). The suite's GNOME Shell is 46 and enables whatever it is asked.
    Q_INVOKABLE void setGnomeShell(const QString& desktop, const QString& extensionState) {
        qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
        gnomeExtensionState_ = extensionState;
    }

    [[nodiscard]] Q_INVOKABLE QString configText() const {
        QFile file(world_->store.configPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // The setup flag as a fresh read of the settings file would find it.
    [[nodiscard]] Q_INVOKABLE bool storedSetupFlag() const {
        const QString path = QFileInfo(world_->store.configPath()).dir().filePath("Bindwell.conf");
        return QSettings(path, QSettings::IniFormat).value(ConfigStore::setupKey, false).toBool();
    }

    // The display name of a mapping of the store's active profile, by label.
    [[nodiscard]] Q_INVOKABLE QString storedAction(const QString& label) const {
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

    // A frame of the item's window, even when nothing in it changed.
    Q_INVOKABLE void requestFrame(QQuickItem* item) const {
        if (item != nullptr && item->window() != nullptr) {
            item->window()->update();
        }
    }

    [[nodiscard]] Q_INVOKABLE QString screenshotPath(const QString& name) const {
        const QString folder = QStringLiteral(BINDWELL_SCREENSHOT_DIR);
        QDir().mkpath(folder);
        return QDir(folder).filePath(name + QStringLiteral(".png"));
    }

public slots:
    void applicationAvailable() {
        // Test mode keeps the standard paths under $HOME/.qttest; a home of
        // the suite's own keeps suites running side by side out of each
        // other's files (the autostart entry among them).
        qputenv("HOME", home_.path().toUtf8());
        QStandardPaths::setTestModeEnabled(true);
        writeDesktopFiles();
        world_ = std::make_unique<SimShell>();
        registerQmlTypes(world_->appState, world_->store, world_->engine, world_->platform);
        qmlRegisterSingletonInstance("Bindwell.Test", 1, 0, "TestBench", this);
        connect(&world_->engine, &HIDInterceptor::isRunningChanged, this,
                [this] { engineStarts_ += world_->engine.isRunning() ? 1 : 0; });
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordOpenedUrl");
    }

    // No test may run pkexec: the pages' access requests are recorded
    // instead. Every test starts with a uinput node that exists, so the pages
    // do not depend on the host's modules.
    void qmlEngineAvailable(QQmlEngine* engine) {
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
                    finished(
                        gnomeExtensionState_.isEmpty()
                            ? CommandResult{2, QStringLiteral("Extension does not exist")}
                            : CommandResult{0, QStringLiteral("State: ") + gnomeExtensionState_});
                } else {
                    finished({0, {}});
                }
            });
        }
    }

    // The engine may hold a seized simulated device; let it go before the
    // platform disappears.
    void cleanupTestCase() { world_->engine.stop(); }

private slots:
    void recordOpenedUrl(const QUrl& url) { openedUrls_.append(url.toString()); }

private:
    // The host's own .desktop files stay out of the suite's sight.
    void writeDesktopFiles() {
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

    QTemporaryDir home_;
    std::unique_ptr<SimShell> world_;
    PermissionStatus* permissionStatus_ = nullptr;
    QStringList openedUrls_;
    QStringList accessRequests_;
    QString gnomeExtensionState_;
    int engineStarts_ = 0;
};

} // namespace bindwell::test

QUICK_TEST_MAIN_WITH_SETUP(bindwell_qml, bindwell::test::QmlTestBench)

#include "QmlTestBench.moc"
