// Main thread only.
#pragma once

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <vector>

class QAction;

namespace bindwell {

class MenuModel;

// The tray icon and its native context menu. Many Linux tray hosts only ever
// show the menu, so it carries every row of the panel as a menu item.
class TrayMenu final : public QObject {
    Q_OBJECT

public:
    explicit TrayMenu(MenuModel& model, QObject* parent = nullptr);

    void show();

    [[nodiscard]] QMenu& menu() { return menu_; }
    [[nodiscard]] QSystemTrayIcon& icon() { return icon_; }

signals:
    // The icon was clicked: the host wants the panel, not the context menu.
    void panelRequested(QPoint near);

private:
    void addCommands();
    void update();
    void updateControllerItems();
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    MenuModel& model_;
    QMenu menu_;
    QSystemTrayIcon icon_;
    QAction* header_ = nullptr;
    QAction* toggle_ = nullptr;
    QAction* lastEvent_ = nullptr;
    QAction* device_ = nullptr;
    QAction* appRules_ = nullptr;
    QAction* focusUnavailable_ = nullptr;
    // One per controller line of the model, placed before controllersEnd_.
    std::vector<QAction*> controllerItems_;
    QAction* controllersEnd_ = nullptr;
    QAction* startAtLogin_ = nullptr;
};

} // namespace bindwell
