#include "app/FeedbackForm.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>
#include <vector>

namespace bindwell {
namespace {

// Stands in for the browser: records the addresses the desktop was asked to open.
class UrlRecorder final : public QObject {
    Q_OBJECT
public:
    UrlRecorder() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }
    ~UrlRecorder() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST(FeedbackForm, OnlyTheShippedWebAddressOpensInTheBrowser) {
    UrlRecorder browser;
    for (const char* text : {"", "not an address", "https://", "https://exa mple.com/form",
                             "file:///etc/passwd", "javascript:alert(1)"}) {
        EXPECT_FALSE(openFeedbackForm(QString::fromLatin1(text))) << text;
    }
    EXPECT_TRUE(browser.opened.empty());
    EXPECT_TRUE(openFeedbackForm());
    EXPECT_EQ(browser.opened, std::vector<QUrl>{QUrl(QString::fromLatin1(feedbackFormAddress))});
}

} // namespace
} // namespace bindwell

#include "FeedbackFormTest.moc"
