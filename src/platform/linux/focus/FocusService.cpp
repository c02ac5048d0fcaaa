#include "platform/linux/focus/FocusService.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace bindwell::linuxplatform {
namespace {

// RequestName's flags: allow a newer process to take the name, take it from
// an older one, and queue (no DO_NOT_QUEUE) so the older one gets it back.
constexpr uint allowReplacement = 0x1;
constexpr uint replaceExisting = 0x2;

} // namespace

FocusService::FocusService(QString trustedSender, std::function<void(const FocusedApp&)> onFocus)
    : bus_(QDBusConnection::sessionBus()), trustedSender_(std::move(trustedSender)),
      onFocus_(std::move(onFocus)) {}

FocusService::~FocusService() {
    if (exported_) {
        bus_.unregisterObject(objectPath);
        bus_.unregisterService(serviceName);
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

QString FocusService::claimServiceName() {
    const QDBusReply<uint> reply = bus_.interface()->call("RequestName", QString(serviceName),
                                                          allowReplacement | replaceExisting);
    return reply.isValid()
               ? QString()
               : "cannot request " + QString(serviceName) + ": " + reply.error().message();
}

void FocusService::FocusChanged(const QString& appId, const QString& wmClass,
                                const QString& title) {
    const QString owner = bus_.interface()->serviceOwner(trustedSender_);
    if (!calledFromDBus() || message().service() != owner) {
        sendErrorReply(QDBusError::AccessDenied, "only " + trustedSender_ + " reports the focus");
        return;
    }
    onFocus_({appId.toStdString(), wmClass.toStdString(), title.toStdString()});
}

} // namespace bindwell::linuxplatform
