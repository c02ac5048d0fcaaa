// Main thread only.
#pragma once

#include <QObject>
#include <QPoint>
#include <memory>

class QQmlEngine;
class QQuickWindow;

namespace bindwell {

class MenuModel;

// The menu panel shown when the tray icon is clicked: a small frameless window
// near the pointer that goes away as soon as it loses focus or a command runs,
// the way a menu does.
class MenuPopup final : public QObject {
    Q_OBJECT

public:
    MenuPopup(QQmlEngine& engine, MenuModel& model, QObject* parent = nullptr);
    ~MenuPopup() override;

    void showNear(QPoint point);
    void hide();

    // nullptr until first shown, or when the panel failed to load.
    [[nodiscard]] QQuickWindow* window() const { return window_.get(); }

private:
    [[nodiscard]] QQuickWindow* ensureWindow();
    void onActiveChanged();

    QQmlEngine& engine_;
    MenuModel& model_;
    std::unique_ptr<QQuickWindow> window_;
};

} // namespace bindwell
