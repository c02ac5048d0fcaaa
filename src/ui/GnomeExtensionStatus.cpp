#include "ui/GnomeExtensionStatus.h"

#include <QObject>
#include <QRegularExpression>

namespace bindwell {
namespace {

// The "State:" line of gnome-extensions info: ENABLED up to GNOME 45,
// ACTIVE from 46 on; DISABLED, INACTIVE or INITIALIZED when switched off.
QString stateLine(const QString& output) {
    static const QRegularExpression line(QStringLiteral("^\\s*State:\\s*(.+?)\\s*$"),
                                         QRegularExpression::MultilineOption);
    return line.match(output).captured(1);
}

} // namespace

GnomeExtensionState gnomeExtensionState(const GnomeExtensionFacts& facts) {
    if (!facts.gnomeSession) {
        return GnomeExtensionState::NotGnome;
    }
    if (facts.info.exitCode < 0) {
        return GnomeExtensionState::NoTool;
    }
    if (facts.info.exitCode != 0) {
        // The shell answers that it does not know the extension.
        return facts.onDisk ? GnomeExtensionState::NotLoaded : GnomeExtensionState::Missing;
    }
    const QString state = stateLine(facts.info.output);
    if (state == QLatin1String("ENABLED") || state == QLatin1String("ACTIVE")) {
        return GnomeExtensionState::Enabled;
    }
    if (state == QLatin1String("ERROR") || state == QLatin1String("OUT OF DATE")) {
        return GnomeExtensionState::Broken;
    }
    return GnomeExtensionState::Disabled;
}

QString gnomeExtensionMessage(GnomeExtensionState state, const CommandResult& info) {
    switch (state) {
    case GnomeExtensionState::NoTool:
        return QObject::tr("Could not run gnome-extensions: %1").arg(info.output);
    case GnomeExtensionState::NotLoaded:
        return QObject::tr("The extension is installed. GNOME Shell sees a new extension only "
                           "after you log out and back in; then press Enable.");
    case GnomeExtensionState::Broken:
        return QObject::tr("GNOME Shell could not run the extension (%1).")
            .arg(stateLine(info.output));
    default:
        return {};
    }
}

QString gnomeExtensionVariant(const QString& versionOutput, int* major) {
    static const QRegularExpression version(QStringLiteral("GNOME Shell (\\d+)"));
    const QRegularExpressionMatch match = version.match(versionOutput);
    if (!match.hasMatch()) {
        return {};
    }
    const int number = match.captured(1).toInt();
    if (major != nullptr) {
        *major = number;
    }
    if (number < 43) {
        return {};
    }
    return number < 45 ? QStringLiteral("43") : QStringLiteral("45");
}

bool isGnomeDesktop(const QString& currentDesktop) {
    return currentDesktop.split(u':').contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
}

} // namespace bindwell
