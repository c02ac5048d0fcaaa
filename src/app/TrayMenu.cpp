#include "app/TrayMenu.h"

#include "app/ShellResources.h"
#include "ui/MenuModel.h"

#include <QAction>
#include <QCursor>
#include <QIcon>

namespace bindwell {

namespace {

// A menu item reads "&" as the mark of its keyboard shortcut, so a device or
// application named "A&B" would show as "AB" with an underlined B: text from
// outside has every "&" doubled, which the menu shows as one.
[[nodiscard]] QString literalText(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

[[nodiscard]] QAction* addInfoItem(QMenu& menu) {
    QAction* action = menu.addAction(QString());
    action->setEnabled(false);
    return action;
}

} // namespace

TrayMenu::TrayMenu(MenuModel& model, QObject* parent) : QObject(parent), model_(model) {
    header_ = addInfoItem(menu_);
    menu_.addSeparator();
    toggle_ = menu_.addAction(QString(), &model_, &MenuModel::toggleRemapping);
    lastEvent_ = addInfoItem(menu_);
    device_ = addInfoItem(menu_);
    appRules_ = addInfoItem(menu_);
    focusUnavailable_ = addInfoItem(menu_);
    controllersEnd_ = menu_.addSeparator();
    addCommands();

    icon_.setIcon(QIcon(QString::fromLatin1(shellresources::logo)));
    icon_.setToolTip(QStringLiteral("Bindwell"));
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayMenu::onActivated);
    connect(&model_, &MenuModel::changed, this, &TrayMenu::update);
    connect(&model_, &MenuModel::startsAtLoginChanged, this, &TrayMenu::update);
    connect(&menu_, &QMenu::aboutToShow, &model_, &MenuModel::refreshStartAtLogin);
    update();
}

void TrayMenu::addCommands() {
    menu_.addAction(tr("Button Settings..."), &model_, &MenuModel::openButtonSettings);
    startAtLogin_ = menu_.addAction(tr("Start at Login"), &model_, &MenuModel::toggleStartAtLogin);
    startAtLogin_->setCheckable(true);
    menu_.addAction(tr("Send Feedback..."), &model_, &MenuModel::sendFeedback);
    menu_.addSeparator();
    menu_.addAction(tr("Quit Bindwell"), &model_, &MenuModel::quit);
}

void TrayMenu::show() {
    icon_.show();
}

// A menu item has one line of text, so each row's parts are joined with a
// dash: "Bindwell — ON", "Pause Remapping — Active".
void TrayMenu::update() {
    const QString dash = QStringLiteral(" — ");
    header_->setText(QStringLiteral("Bindwell") + dash + model_.statusText());
    toggle_->setText(model_.toggleText() + dash + model_.toggleStateText());
    lastEvent_->setText(literalText(model_.lastEvent()));
    lastEvent_->setVisible(model_.showsLastEvent());
    device_->setText(literalText(model_.deviceName()));
    device_->setVisible(model_.showsDevice());
    appRules_->setText(literalText(model_.appRules()));
    appRules_->setVisible(!model_.appRules().isEmpty());
    focusUnavailable_->setText(literalText(model_.focusUnavailable()));
    focusUnavailable_->setVisible(!model_.focusUnavailable().isEmpty());
    updateControllerItems();
    startAtLogin_->setChecked(model_.startsAtLogin());
}

void TrayMenu::updateControllerItems() {
    const QStringList lines = model_.controllerLines();
    while (controllerItems_.size() > static_cast<size_t>(lines.size())) {
        delete controllerItems_.back();
        controllerItems_.pop_back();
    }
    while (controllerItems_.size() < static_cast<size_t>(lines.size())) {
        auto* item = new QAction(&menu_);
        item->setEnabled(false);
        menu_.insertAction(controllersEnd_, item);
        controllerItems_.push_back(item);
    }
    for (size_t i = 0; i < controllerItems_.size(); ++i) {
        controllerItems_[i]->setText(literalText(lines[static_cast<qsizetype>(i)]));
    }
}

void TrayMenu::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) {
        emit panelRequested(QCursor::pos());
    }
}

} // namespace bindwell
