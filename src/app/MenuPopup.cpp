#include "app/MenuPopup.h"

#include "app/QmlWindow.h"
#include "app/ShellResources.h"
#include "app/WindowActivation.h"
#include "ui/MenuModel.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QScreen>
#include <algorithm>

namespace bindwell {

namespace {

// Tray icons sit at a screen edge: open towards the middle of the screen and
// keep the whole panel on it.
[[nodiscard]] QPoint placeNear(QPoint point, QSize size, QRect available) {
    const int x = std::clamp(point.x() - size.width() / 2, available.left(),
                             std::max(available.left(), available.right() + 1 - size.width()));
    const bool below = point.y() < available.center().y();
    const int wantedY = below ? point.y() : point.y() - size.height();
    const int y = std::clamp(wantedY, available.top(),
                             std::max(available.top(), available.bottom() + 1 - size.height()));
    return {x, y};
}

} // namespace

MenuPopup::MenuPopup(QQmlEngine& engine, MenuModel& model, QObject* parent)
    : QObject(parent), engine_(engine), model_(model) {
    connect(&model_, &MenuModel::commandRun, this, &MenuPopup::hide);
}

MenuPopup::~MenuPopup() = default;

QQuickWindow* MenuPopup::ensureWindow() {
    if (!window_) {
        window_ = loadQmlWindow(engine_, QString::fromLatin1(shellresources::menuPopup),
                                {{QStringLiteral("menu"), QVariant::fromValue<QObject*>(&model_)}},
                                QStringLiteral("menu panel"));
        if (window_) {
            connect(window_.get(), &QWindow::activeChanged, this, &MenuPopup::onActiveChanged);
        }
    }
    return window_.get();
}

void MenuPopup::showNear(QPoint point) {
    QQuickWindow* window = ensureWindow();
    if (window == nullptr) {
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        window->setPosition(placeNear(point, window->size(), screen->availableGeometry()));
    }
    window->show();
    bringToFront(*window);
}

void MenuPopup::hide() {
    if (window_) {
        window_->hide();
    }
}

void MenuPopup::onActiveChanged() {
    if (!window_->isActive()) {
        hide();
    }
}

} // namespace bindwell
