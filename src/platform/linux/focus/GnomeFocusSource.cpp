// GNOME Shell tells other programs nothing about windows, and its Wayland
// session offers no protocol for it, so the focus comes from an extension of
// ours inside the shell. Unlike KWin, the shell cannot be handed a script at
// run time: the extension is installed once, calls a well-known name, and
// sends the current focus again whenever that name changes owner.
#include "platform/linux/focus/GnomeFocusSource.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace bindwell::linuxplatform {
namespace {

const QString shell = "org.gnome.Shell";
// The shell's ExtensionState for a running extension (ENABLED, later ACTIVE).
constexpr int enabledState = 1;

} // namespace

GnomeFocusSource::GnomeFocusSource()
    : service_(shell, [this](const FocusedApp& app) { reports_.report(app); }) {
    QString reason = service_.exportObject();
    if (reason.isEmpty()) {
        reason = checkExtension();
    }
    if (!reason.isEmpty()) {
        reports_.setUnavailable("GNOME Shell: " + reason.toStdString());
        return;
    }
    service_.claimServiceName(
        [this](const QString& error) { reports_.lose("GNOME Shell: " + error.toStdString()); });
}

QString GnomeFocusSource::checkExtension() const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        shell, "/org/gnome/Shell", "org.gnome.Shell.Extensions", "GetExtensionInfo");
    call.setArguments({QString(extensionUuid)});
    const QDBusReply<QVariantMap> info = service_.bus().call(call);
    if (!info.isValid()) {
        return "cannot ask the shell about its extensions: " + info.error().message();
    }
    if (info.value().isEmpty()) {
        return QString("the extension ") + extensionUuid + " is not installed";
    }
    if (info.value().value("state").toInt() != enabledState) {
        return QString("the extension ") + extensionUuid +
               " is not enabled (gnome-extensions enable " + extensionUuid + ")";
    }
    return {};
}

} // namespace bindwell::linuxplatform
