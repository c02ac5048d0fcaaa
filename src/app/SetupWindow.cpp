#include "app/SetupWindow.h"

#include "app/QmlWindow.h"
#include "app/ShellResources.h"
#include "app/WindowActivation.h"

#include <QQuickWindow>

namespace bindwell {

SetupWindow::SetupWindow(QQmlEngine& engine, QObject* parent) : QObject(parent), engine_(engine) {}

SetupWindow::~SetupWindow() = default;

QQuickWindow* SetupWindow::ensureWindow() {
    if (!window_) {
        window_ = loadQmlWindow(engine_, QString::fromLatin1(shellresources::setupWindow), {},
                                QStringLiteral("setup window"));
        if (window_) {
            connect(window_.get(), &QWindow::visibleChanged, this, &SetupWindow::discardWhenHidden);
        }
    }
    return window_.get();
}

// Deferred: the window is still inside its own close handling.
void SetupWindow::discardWhenHidden(bool visible) {
    if (!visible && window_) {
        window_.release()->deleteLater();
    }
}

void SetupWindow::show() {
    if (QQuickWindow* window = ensureWindow()) {
        window->show();
    }
}

void SetupWindow::open() {
    if (QQuickWindow* window = ensureWindow()) {
        window->show();
        bringToFront(*window);
    }
}

} // namespace bindwell
