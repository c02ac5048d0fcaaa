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
    }
    return window_.get();
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
