// Main thread only (the store calls it).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace bindwell {

struct KeptConfigCopy {
    QString path;  // set when the copy was written
    QString error; // why it was not, otherwise

    [[nodiscard]] bool ok() const { return !path.isEmpty(); }
};

// Writes the bytes of a configuration file that could not be read into
// `folder` as config.invalid-<yyyyMMdd-HHmmss>.json (local time of `when`),
// adding "-2", "-3", ... when that name is taken: an earlier copy is never
// overwritten, because it may be the only one left of the user's settings.
// When a copy with the same bytes is already there, that one is the result.
[[nodiscard]] KeptConfigCopy keepUnreadableConfig(const QString& folder, const QByteArray& bytes,
                                                  const QDateTime& when);

} // namespace bindwell
