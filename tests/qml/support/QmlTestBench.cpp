#include "QmlTestBench.h"

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "platform/sim/SimPlatform.h"
#include "ui/PermissionStatus.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace bindwell::test {

QmlTestBench::QmlTestBench(sim::SimPlatform& platform, ConfigStore& store, HIDInterceptor& engine,
                           QObject* parent)
    : QObject(parent), platform_(platform), store_(store) {
    connect(&engine, &HIDInterceptor::isRunningChanged, this, [this, &engine] {
        if (engine.isRunning()) {
            ++engineStarts_;
            emit engineStartsChanged();
        }
    });
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordOpenedUrl");
}

QmlTestBench::~QmlTestBench() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void QmlTestBench::recordOpenedUrl(const QUrl& url) {
    openedUrls_.append(url.toString());
    emit openedUrlsChanged();
}

void QmlTestBench::takeOverPermissionStatus(PermissionStatus& status) {
    permissionStatus_ = &status;
    setUinputNode(QStringLiteral("/"));
    status.setLauncher([this](const AccessGrantCommand& command, std::function<void(int)> done) {
        accessRequests_.append(command.program + u' ' + command.arguments.join(u' '));
        emit accessRequestsChanged();
        done(0);
    });
}

void QmlTestBench::setPermissions(bool accessibility, bool inputMonitoring) {
    platform_.simPermissions().setCanPostEvents(accessibility);
    platform_.simPermissions().setCanMonitorInput(inputMonitoring);
}

void QmlTestBench::setUinputNode(const QString& path) {
    permissionStatus_->setUinputNode(path);
    permissionStatus_->refresh();
}

void QmlTestBench::addDevice(const QString& id, int vendorID, int productID, const QString& name) {
    if (platform_.addInterface(id.toStdString(), vendorID, productID, name.toStdString())) {
        deviceIDs_.append(id);
    }
}

void QmlTestBench::removeAllDevices() {
    for (const QString& id : std::as_const(deviceIDs_)) {
        platform_.removeInterface(id.toStdString());
    }
    deviceIDs_.clear();
}

void QmlTestBench::click(const QString& id, int usage) {
    const auto usageID = static_cast<uint32_t>(usage);
    platform_.sendValue(id.toStdString(), 0x0C, usageID, 1);
    platform_.sendValue(id.toStdString(), 0x0C, usageID, 0);
}

QStringList QmlTestBench::postedEvents() const {
    QStringList list;
    for (const std::string& line : platform_.poster().descriptions()) {
        list.append(QString::fromStdString(line));
    }
    return list;
}

void QmlTestBench::clearPostedEvents() {
    platform_.poster().clear();
}

void QmlTestBench::advanceClock(double seconds) {
    platform_.simClock().set(platform_.simClock().uptimeSeconds() + seconds);
}

QString QmlTestBench::configText() const {
    QFile file(store_.configPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool QmlTestBench::storedSetupFlag() const {
    const QString path = QFileInfo(store_.configPath()).dir().filePath("Bindwell.conf");
    return QSettings(path, QSettings::IniFormat).value(ConfigStore::setupKey, false).toBool();
}

QString QmlTestBench::storedAction(const QString& label) const {
    if (const auto profile = store_.activeProfile()) {
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
