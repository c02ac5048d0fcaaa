#include "app/WindowActivation.h"

#include <QGuiApplication>
#include <QWindow>

namespace bindwell {

QWindow* findWindowTitled(const QString& title) {
    const auto windows = QGuiApplication::topLevelWindows();
    for (QWindow* window : windows) {
        if (window->isVisible() && window->title() == title) {
            return window;
        }
    }
    return nullptr;
}

void bringToFront(QWindow& window) {
    window.raise();
    window.requestActivate();
}

} // namespace bindwell
