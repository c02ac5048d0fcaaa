// Main thread only.
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

namespace bindwell {
class PermissionStatus;
} // namespace bindwell

namespace bindwell::test {

// The Qt Quick Test setup shared by every QML suite, and what the tests may
// do to the world around the pages ("Bindwell.Test"): plug devices in, grant
// permissions, press buttons, and read what reached the file and the
// simulated desktop. The world is a simulated platform, a store in a fresh
// temporary folder, the engine and the application state, all registered
// for QML; each suite is its own process with its own home.
class QmlTestBench final : public QObject {
    Q_OBJECT

public:
    QmlTestBench();
    ~QmlTestBench() override;

    [[nodiscard]] Q_INVOKABLE int engineStarts() const { return engineStarts_; }
    // Local files the pages asked the desktop to open; nothing is really opened.
    [[nodiscard]] Q_INVOKABLE QStringList openedUrls() const { return openedUrls_; }
    // The commands the pages would have run to ask for device access
    // ("pkexec .../bindwellctl grant 056e:0156"); each is answered at once.
    [[nodiscard]] Q_INVOKABLE QStringList accessRequests() const { return accessRequests_; }

    Q_INVOKABLE void setPermissions(bool accessibility, bool inputMonitoring);
    // Where the guide looks for the uinput module's node.
    Q_INVOKABLE void setUinputNode(const QString& path);
    // A serial number tells two units of one model apart.
    Q_INVOKABLE void addDevice(const QString& id, int vendorID, int productID, const QString& name,
                               const QString& serialNumber = QString());
    Q_INVOKABLE void removeAllDevices();
    // Stores an active profile for the model that lists no buttons, as one
    // written by hand or made for a device without a layout; returns its id.
    Q_INVOKABLE QString storeProfileWithoutButtons(int vendorID, int productID,
                                                   const QString& name);
    // A press and release of one consumer usage on a plugged-in interface.
    Q_INVOKABLE void click(const QString& id, int usage);
    [[nodiscard]] Q_INVOKABLE QStringList postedEvents() const;
    // The desktop reports a new focused application. The suite's desktop
    // files name one application: id "org.example.Notes", WM_CLASS "notes",
    // "Notes" with the icon "accessories-text-editor".
    Q_INVOKABLE void focusApp(const QString& appId, const QString& wmClass);
    // The desktop named by XDG_CURRENT_DESKTOP and the focus extension's state
    // as "gnome-extensions info" prints it ("DISABLED", "ACTIVE"; empty: not
    // installed). The suite's GNOME Shell is 46 and enables whatever it is asked.
    Q_INVOKABLE void setGnomeShell(const QString& desktop, const QString& extensionState);

    [[nodiscard]] Q_INVOKABLE QString configText() const;
    // The setup flag as a fresh read of the settings file would find it.
    [[nodiscard]] Q_INVOKABLE bool storedSetupFlag() const;
    // The display name of a mapping of the store's active profile, by label.
    [[nodiscard]] Q_INVOKABLE QString storedAction(const QString& label) const;
    [[nodiscard]] Q_INVOKABLE QString screenshotPath(const QString& name) const;

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine* engine);
    void cleanupTestCase();

private slots:
    void recordOpenedUrl(const QUrl& url);

private:
    struct World;
    void writeDesktopFiles();
    QTemporaryDir home_;
    std::unique_ptr<World> world_;
    PermissionStatus* permissionStatus_ = nullptr;
    QStringList deviceIDs_;
    QStringList openedUrls_;
    QStringList accessRequests_;
    QString gnomeExtensionState_;
    int engineStarts_ = 0;
};

} // namespace bindwell::test
