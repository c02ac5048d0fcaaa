// Main thread only.
#pragma once

#include <QString>
#include <QVariantMap>
#include <memory>

class QQmlEngine;
class QQuickWindow;

namespace bindwell {

// Creates the window a QML file declares; on failure logs why (naming `what`)
// and returns nullptr, so a broken page costs that window, not the program.
[[nodiscard]] std::unique_ptr<QQuickWindow> loadQmlWindow(QQmlEngine& engine, const QString& url,
                                                          const QVariantMap& properties,
                                                          const QString& what);

} // namespace bindwell
