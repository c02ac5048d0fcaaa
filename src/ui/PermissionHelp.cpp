#include "ui/PermissionHelp.h"

#include "support/Log.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace bindwell {
namespace {

QString helpPagePath() {
    for (const char* candidate : {BINDWELL_HELP_INSTALLED, BINDWELL_HELP_SOURCE}) {
        const QString path = QString::fromUtf8(candidate);
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return {};
}

} // namespace

void openPermissionHelp(const char* section) {
    const QString path = helpPagePath();
    if (path.isEmpty()) {
        log("⚠️ Permission help page not found at " + std::string(BINDWELL_HELP_INSTALLED));
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QString::fromLatin1(section));
    // As with any address handed to the desktop, a refusal leaves the guide as it is.
    QDesktopServices::openUrl(url);
}

} // namespace bindwell
