#include "ui/StartAtLogin.h"

#include "support/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace bindwell {
namespace {

// A desktop entry's Exec key keeps an argument with reserved characters
// inside double quotes, with ", `, $ and \ escaped by a backslash; a literal
// % is always doubled, since a single one starts a field code.
QString quotedForExec(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    QString escaped;
    for (const QChar c : argument) {
        if (needsQuotes && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) {
            escaped += u'\\';
        }
        escaped += c == u'%' ? QStringLiteral("%%") : QString(c);
    }
    return needsQuotes ? u'"' + escaped + u'"' : escaped;
}

bool entryIsShown(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    while (!file.atEnd()) {
        if (QString::fromUtf8(file.readLine()).trimmed() == QLatin1String("Hidden=true")) {
            return false;
        }
    }
    return true;
}

} // namespace

StartAtLogin::StartAtLogin(QString executable, QObject* parent)
    : QObject(parent), executable_(std::move(executable)), enabled_(entryIsShown(entryPath())) {}

QString StartAtLogin::entryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/bindwell.desktop");
}

bool StartAtLogin::isEnabled() const {
    return enabled_;
}

void StartAtLogin::setEnabled(bool enabled) {
    const QString path = entryPath();
    if (enabled) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(entryText().toUtf8()) < 0 ||
            !file.commit()) {
            log("⚠️ Could not write " + path.toStdString() + ": " +
                file.errorString().toStdString());
        }
    } else if (QFile::exists(path) && !QFile::remove(path)) {
        log("⚠️ Could not remove " + path.toStdString());
    }
    refresh();
}

void StartAtLogin::refresh() {
    const bool enabled = entryIsShown(entryPath());
    if (enabled != enabled_) {
        enabled_ = enabled;
        emit enabledChanged();
    }
}

QString StartAtLogin::entryText() const {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Bindwell\n"
                          "Comment=Remap your controller's buttons from the system tray\n"
                          "Exec=%1 %2\n"
                          "Icon=bindwell\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedForExec(executable_), QLatin1String(loginArgument));
}

} // namespace bindwell
