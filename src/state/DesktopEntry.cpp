#include "state/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextStream>

namespace bindwell {
namespace {

using Keys = QHash<QString, QString>;

// The unlocalised keys of the [Desktop Entry] group. QSettings reads .desktop
// files wrongly (it treats ';' lists and backslashes its own way, and keys
// like Name[de] as arrays), and only three keys are needed here.
Keys readDesktopKeys(const QString& path) {
    Keys keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return keys;
    }
    QTextStream in(&file);
    bool inEntry = false;
    QString line;
    while (in.readLineInto(&line)) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || line.startsWith(u'#') || equals <= 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        if (!key.contains(u'[') && !keys.contains(key)) {
            keys.insert(key, line.mid(equals + 1).trimmed());
        }
    }
    return keys;
}

std::optional<DesktopEntry> entryOf(const QString& path) {
    const Keys keys = readDesktopKeys(path);
    const QString name = keys.value(QStringLiteral("Name"));
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return DesktopEntry{name, keys.value(QStringLiteral("Icon"))};
}

std::optional<DesktopEntry> entryNamed(const QString& fileStem, const QStringList& folders) {
    // An id is a file name, never a path to somewhere else.
    if (fileStem.isEmpty() || fileStem.contains(u'/')) {
        return std::nullopt;
    }
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(fileStem + QStringLiteral(".desktop"));
        if (QFile::exists(path)) {
            return entryOf(path);
        }
    }
    return std::nullopt;
}

std::optional<DesktopEntry> entryWithWMClass(const QString& wmClass, const QStringList& folders) {
    if (wmClass.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList({QStringLiteral("*.desktop")}, QDir::Files)) {
            const QString path = dir.filePath(file);
            if (readDesktopKeys(path)
                    .value(QStringLiteral("StartupWMClass"))
                    .compare(wmClass, Qt::CaseInsensitive) == 0) {
                return entryOf(path);
            }
        }
    }
    return std::nullopt;
}

} // namespace

QStringList applicationFolders() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) {
        home = QDir::homePath() + QStringLiteral("/.local/share");
    }
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    QStringList folders{home};
    folders += dirs.split(u':', Qt::SkipEmptyParts);
    for (QString& folder : folders) {
        folder += QStringLiteral("/applications");
    }
    return folders;
}

std::optional<DesktopEntry> findDesktopEntry(const FocusedApp& app, const QStringList& folders) {
    const QString wmClass = QString::fromStdString(app.wmClass);
    if (auto entry = entryNamed(QString::fromStdString(app.appId), folders)) {
        return entry;
    }
    if (auto entry = entryWithWMClass(wmClass, folders)) {
        return entry;
    }
    return entryNamed(wmClass.toLower(), folders);
}

} // namespace bindwell
