// GNOME Shell tells other programs nothing about windows, and its Wayland
// session offers no protocol for it, so the focus comes from an extension of
// ours inside the shell. Unlike KWin, the shell cannot be handed a script at
// run time: the extension is installed once, calls a well-known name, and
// sends the current focus again whenever that name changes owner.
#include "platform/linux/focus/GnomeFocusSource.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

namespace bindwell::linuxplatform {
namespace {

const QString shell = "org.gnome.Shell";
// The shell's ExtensionState: running (ENABLED, later ACTIVE), failed while
// loading or enabling, and refused because its metadata does not list the
// running shell.
constexpr int enabledState = 1;
constexpr int errorState = 3;
constexpr int outOfDateState = 4;

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
    const QString extension = QString("the extension ") + extensionUuid;
    switch (info.value().value("state").toInt()) {
    case enabledState:
        return {};
    case errorState:
        return extension + " failed in the shell: " + info.value().value("error").toString();
    case outOfDateState:
        return extension + " is out of date for GNOME Shell " + shellMajorVersion();
    default:
        return extension + " is not enabled (gnome-extensions enable " + extensionUuid + ")";
    }
}

QString GnomeFocusSource::shellMajorVersion() const {
    QDBusMessage call = QDBusMessage::createMethodCall(shell, "/org/gnome/Shell",
                                                       "org.freedesktop.DBus.Properties", "Get");
    call.setArguments({shell, QString("ShellVersion")});
    const QDBusReply<QDBusVariant> version = service_.bus().call(call);
    return version.isValid() ? version.value().variant().toString().section('.', 0, 0)
                             : QString("(its version unknown)");
}

} // namespace bindwell::linuxplatform
