#include "platform/linux/focus/FocusService.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace bindwell::linuxplatform {
namespace {

// RequestName's flag to take the name from an older Bindwell that allowed
// it. Ours never allows replacement: whoever took the name would receive
// every report the shell extension sends.
// Not queued either: a name given back later would not say so.
constexpr uint replaceExisting = 0x2;
constexpr uint doNotQueue = 0x4;
constexpr uint primaryOwner = 1;
constexpr uint alreadyOwner = 4;

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

void FocusService::claimServiceName(std::function<void(const QString& error)> onLost) {
    onLost_ = std::move(onLost);
    bus_.connect("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                 "NameLost", this, SLOT(nameLost(QString)));
    QDBusMessage request = QDBusMessage::createMethodCall(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName");
    request.setArguments({QString(serviceName), replaceExisting | doNotQueue});
    // Not waited for: reports start as soon as the name is ours, and one
    // that arrives while this process waits in a call is handed over late.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusMessage reply = call->reply();
                if (call->isError()) {
                    lose("cannot request " + QString(serviceName) + ": " + call->error().message());
                    return;
                }
                const uint result = reply.arguments().value(0).toUInt();
                if (result != primaryOwner && result != alreadyOwner) {
                    lose(QString(serviceName) + " is held by another program");
                }
            });
    claimed_ = true;
}

void FocusService::nameLost(const QString& name) {
    if (name == serviceName) {
        lose(QString(serviceName) + " was taken by another program");
    }
}

void FocusService::lose(const QString& reason) {
    if (!lost_ && onLost_) {
        lost_ = true;
        onLost_(reason);
    }
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
