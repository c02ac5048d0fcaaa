#include "app/QmlWindow.h"

#include "support/Log.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QUrl>

namespace bindwell {

std::unique_ptr<QQuickWindow> loadQmlWindow(QQmlEngine& engine, const QString& url,
                                            const QVariantMap& properties, const QString& what) {
    QQmlComponent component(&engine, QUrl(url));
    std::unique_ptr<QObject> object(component.createWithInitialProperties(properties));
    auto* window = qobject_cast<QQuickWindow*>(object.get());
    if (window == nullptr) {
        log("⚠️ Could not load the " + what.toStdString() + ": " +
            component.errorString().trimmed().toStdString());
        return nullptr;
    }
    object.release();
    // The window is ours to delete, never the JavaScript garbage collector's.
    QQmlEngine::setObjectOwnership(window, QQmlEngine::CppOwnership);
    return std::unique_ptr<QQuickWindow>(window);
}

} // namespace bindwell
