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

} // namespace

KeptConfigCopy keepUnreadableConfig(const QString& folder, const QByteArray& bytes,
                                    const QDateTime& when) {
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
