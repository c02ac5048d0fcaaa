#include "platform/linux/focus/FocusService.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace bindwell::linuxplatform {
namespace {

// RequestName's flags: allow a newer process to take the name, take it from
// an older one, and queue (no DO_NOT_QUEUE) so the older one gets it back.
constexpr uint allowReplacement = 0x1;
constexpr uint replaceExisting = 0x2;

} // namespace

FocusService::FocusService(QString trustedSender, std::function<void(const FocusedApp&)> onFocus)
    : bus_(QDBusConnection::sessionBus()), trustedSender_(std::move(trustedSender)),
      onFocus_(std::move(onFocus)),
      ownerWatch_(trustedSender_, bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    // Watched rather than asked per report: a blocking call inside a report
    // would let the next report overtake it.
    connect(
        &ownerWatch_, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& owner) { trustedOwner_ = owner; });
    if (bus_.isConnected()) {
        trustedOwner_ = bus_.interface()->serviceOwner(trustedSender_);
    }
}

FocusService::~FocusService() {
    if (claimed_) {
        bus_.unregisterService(serviceName);
    }
    if (exported_) {
        bus_.unregisterObject(objectPath);
    }
}

QString FocusService::exportObject() {
    if (!bus_.isConnected()) {
        return "no session bus";
    }
    if (!bus_.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots)) {
        return QString("cannot export ") + objectPath + " on the session bus";
    }
    exported_ = true;
    return {};
}

void FocusService::claimServiceName(std::function<void(const QString& error)> onRefused) {
    QDBusMessage request = QDBusMessage::createMethodCall(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName");
    request.setArguments({QString(serviceName), allowReplacement | replaceExisting});
    // Not waited for: reports start as soon as the name is ours, and one
    // that arrives while this process waits in a call is handed over late.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [onRefused = std::move(onRefused)](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (call->isError()) {
                    onRefused("cannot request " + QString(serviceName) + ": " +
                              call->error().message());
                }
            });
    claimed_ = true;
}

void FocusService::FocusChanged(const QString& appId, const QString& wmClass,
                                const QString& title) {
    if (!calledFromDBus() || trustedOwner_.isEmpty() || message().service() != trustedOwner_) {
        sendErrorReply(QDBusError::AccessDenied, "only " + trustedSender_ + " reports the focus");
        return;
    }
    onFocus_({appId.toStdString(), wmClass.toStdString(), title.toStdString()});
}

} // namespace bindwell::linuxplatform
