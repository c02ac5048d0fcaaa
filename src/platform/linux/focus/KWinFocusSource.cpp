// KWin offers no focus interface to other programs, but runs scripts that
// see every window and may call D-Bus. Each Bindwell process loads its own
// copy of the script under its own plugin name, with its own unique bus name
// written in, so the application and `bindwellctl focus` never steal each
// other's reports. A process that dies without unloading leaves a script
// that calls a name no one will own again, until KWin restarts.
#include "platform/linux/focus/KWinFocusSource.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace bindwell::linuxplatform {
namespace {

const QString kwin = "org.kde.KWin";
// KWin activates "no window" just before every real activation. A report of
// nothing that is not followed by a window within this time is the desktop.
constexpr int kEmptyActivationMs = 50;

QDBusMessage scriptingCall(const QString& path, const QString& interface, const QString& method,
                           const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kwin, path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message);
}

QString errorOf(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
}

} // namespace

KWinFocusSource::KWinFocusSource()
    : service_(kwin, [this](const FocusedApp& app) { receive(app); }),
      script_(QDir::tempPath() + "/bindwell-focus-XXXXXX.js"),
      pluginName_("bindwell-focus-" + QString::number(QCoreApplication::applicationPid())),
      kwinWatch_(kwin, service_.bus(), QDBusServiceWatcher::WatchForOwnerChange) {
    QString reason = service_.exportObject();
    if (reason.isEmpty() && !service_.bus().interface()->isServiceRegistered(kwin)) {
        reason = kwin + " is not on the session bus";
    }
    if (reason.isEmpty()) {
        reason = writeScript();
    }
    if (reason.isEmpty()) {
        reason = loadScript();
    }
    if (!reason.isEmpty()) {
        reports_.setUnavailable("KWin: " + reason.toStdString());
        return;
    }
    emptyActivation_.setSingleShot(true);
    emptyActivation_.setInterval(kEmptyActivationMs);
    QObject::connect(&emptyActivation_, &QTimer::timeout, &service_,
                     [this] { reports_.report({}); });
    QObject::connect(
        &kwinWatch_, &QDBusServiceWatcher::serviceOwnerChanged, &service_,
        [this](const QString&, const QString&, const QString& owner) { followRestart(owner); });
}

KWinFocusSource::~KWinFocusSource() {
    if (scriptLoaded_) {
        scriptingCall("/Scripting", "org.kde.kwin.Scripting", "unloadScript", {pluginName_});
    }
}

QString KWinFocusSource::writeScript() {
    QFile bundled(":/focus/kwin/bindwell-focus.js");
    if (!bundled.open(QIODevice::ReadOnly) || !script_.open()) {
        return "cannot write the KWin script to " + QDir::tempPath();
    }
    script_.write(
        bundled.readAll().replace("@BINDWELL_SERVICE@", service_.bus().baseService().toUtf8()));
    script_.flush();
    return {};
}

void KWinFocusSource::receive(const FocusedApp& app) {
    if (app == FocusedApp{}) {
        emptyActivation_.start();
        return;
    }
    emptyActivation_.stop();
    reports_.report(app);
}

void KWinFocusSource::followRestart(const QString& owner) {
    // KWin restarts on X11 after a crash or a --replace, and its scripts go
    // with the old process: until the new one runs ours, nothing is known.
    scriptLoaded_ = false;
    emptyActivation_.stop();
    reports_.report({});
    if (owner.isEmpty()) {
        return;
    }
    if (const QString reason = loadScript(); !reason.isEmpty()) {
        reports_.lose("KWin: " + reason.toStdString());
    }
}

QString KWinFocusSource::loadScript() {
    // A script of the same name stays loaded only if this pid ran before.
    scriptingCall("/Scripting", "org.kde.kwin.Scripting", "unloadScript", {pluginName_});
    const QDBusMessage loaded = scriptingCall("/Scripting", "org.kde.kwin.Scripting", "loadScript",
                                              {script_.fileName(), pluginName_});
    if (!errorOf(loaded).isEmpty()) {
        return "loadScript failed: " + errorOf(loaded);
    }
    const int id = loaded.arguments().value(0).toInt();
    if (id < 0) {
        return "loadScript refused " + script_.fileName();
    }
    scriptLoaded_ = true;
    // Plasma 6 puts the script's object under /Scripting, Plasma 5 at the root.
    runScript({"/Scripting/Script" + QString::number(id), "/" + QString::number(id)});
    return {};
}

void KWinFocusSource::runScript(QStringList paths) {
    // Not waited for: the script reports at once, and a report that arrives
    // while this process waits in a call is handed over after later ones.
    const QDBusMessage run =
        QDBusMessage::createMethodCall(kwin, paths.takeFirst(), "org.kde.kwin.Script", "run");
    auto* watcher = new QDBusPendingCallWatcher(service_.bus().asyncCall(run), &service_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &service_,
                     [this, paths](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         if (!call->isError()) {
                             return;
                         }
                         if (!paths.isEmpty()) {
                             runScript(paths);
                             return;
                         }
                         reports_.lose("KWin: cannot run the script: " +
                                       call->error().message().toStdString());
                     });
}

} // namespace bindwell::linuxplatform
