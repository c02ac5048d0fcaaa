#include "app/FeedbackForm.h"

#include <QDesktopServices>
#include <QUrl>

namespace bindwell {

namespace {

[[nodiscard]] bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == u"https" || scheme == u"http") && !url.host().isEmpty();
}

} // namespace

bool openFeedbackForm(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (!isWebAddress(url)) {
        return false;
    }
    QDesktopServices::openUrl(url);
    return true;
}

} // namespace bindwell
