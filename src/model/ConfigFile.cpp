#include "model/ConfigFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bindwell {

ConfigFileBytes readConfigFile(const QString& path) {
    ConfigFileBytes result;
    // O_NONBLOCK so that opening a FIFO without a writer returns at once; the
    // type is checked on the open file, so a swap in between cannot slip by.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.exists = errno != ENOENT;
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    result.exists = true;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.bytes.clear();
    }
    return result;
}

} // namespace bindwell
