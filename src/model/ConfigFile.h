// Any thread; touches only the file it is given.
#pragma once

#include <QByteArray>
#include <QString>

namespace bindwell {

struct ConfigFileBytes {
    bool exists = false;
    QByteArray bytes;
    QString error; // why the file could not be read; empty when it was
};

// Reads a configuration file whole. Anything but a regular file is refused
// without waiting: a FIFO named config.json would block the reader forever,
// and a device would never end.
[[nodiscard]] ConfigFileBytes readConfigFile(const QString& path);

} // namespace bindwell
