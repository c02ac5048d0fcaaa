#include "model/UnreadableConfigBackup.h"

#include <QDir>
#include <QFile>

namespace bindwell {
namespace {

// Plenty for copies made within one second; past it something is wrong with
// the folder, and giving up beats looping.
constexpr int kMaxAttempts = 1000;

QString candidateName(const QString& stamp, int attempt) {
    const QString suffix = attempt == 1 ? QString() : QStringLiteral("-%1").arg(attempt);
    return QStringLiteral("config.invalid-%1%2.json").arg(stamp, suffix);
}

KeptConfigCopy writeNew(QFile& file, const QByteArray& bytes) {
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.close();
        file.remove();
        return {.path = {}, .error = error};
    }
    file.close();
    return {.path = file.fileName(), .error = {}};
}

// A copy made at an earlier start of the same broken file: a program that
// restarts on every login would otherwise fill the folder with copies.
QString existingCopy(const QDir& dir, const QByteArray& bytes) {
    const QStringList copies =
        dir.entryList({QStringLiteral("config.invalid-*.json")}, QDir::Files, QDir::Name);
    for (const QString& name : copies) {
        QFile copy(dir.filePath(name));
        if (copy.size() == bytes.size() && copy.open(QIODevice::ReadOnly) &&
            copy.readAll() == bytes) {
            return copy.fileName();
        }
    }
    return {};
}

} // namespace

KeptConfigCopy keepUnreadableConfig(const QString& folder, const QByteArray& bytes,
                                    const QDateTime& when) {
    if (const QString kept = existingCopy(QDir(folder), bytes); !kept.isEmpty()) {
        return {.path = kept, .error = {}};
    }
    const QString stamp = when.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        QFile file(dir.filePath(candidateName(stamp, attempt)));
        // NewOnly fails instead of truncating an existing copy.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            return writeNew(file, bytes);
        }
        if (!file.exists()) {
            return {.path = {}, .error = file.errorString()};
        }
    }
    return {.path = {}, .error = QStringLiteral("every name for the copy is taken")};
}

} // namespace bindwell
