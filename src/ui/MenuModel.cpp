#include "ui/MenuModel.h"

#include "engine/HIDInterceptor.h"
#include "model/ConfigStore.h"
#include "state/AppState.h"

#include <QCoreApplication>

namespace bindwell {

MenuRows menuRows(bool isRemapping, const std::string& lastEvent,
                  const std::optional<DeviceProfile>& activeProfile) {
    MenuRows rows;
    rows.isRemapping = isRemapping;
    rows.showsLastEvent = isRemapping && !lastEvent.empty();
    if (rows.showsLastEvent) {
        rows.lastEvent = QString::fromStdString(lastEvent);
    }
    rows.showsDevice = activeProfile.has_value();
    if (rows.showsDevice) {
        rows.deviceName = QString::fromStdString(activeProfile->deviceName);
    }
    return rows;
}

MenuModel::MenuModel(AppState& appState, HIDInterceptor& engine, const ConfigStore& store,
                     Shell& shell, QObject* parent)
    : QObject(parent), appState_(appState), engine_(engine), store_(store), shell_(shell),
      startAtLogin_(QCoreApplication::applicationFilePath()) {
    connect(&startAtLogin_, &StartAtLogin::enabledChanged, this, &MenuModel::startsAtLoginChanged);
    connect(&appState_, &AppState::isRemappingChanged, this, &MenuModel::refresh);
    connect(&engine_, &HIDInterceptor::lastEventChanged, this, &MenuModel::refresh);
    connect(&store_, &ConfigStore::profilesChanged, this, &MenuModel::refresh);
    rows_ = menuRows(appState_.isRemapping(), engine_.lastEvent(), store_.activeProfile());
}

QString MenuModel::statusText() const {
    return rows_.isRemapping ? tr("ON") : tr("OFF");
}

QString MenuModel::toggleText() const {
    return rows_.isRemapping ? tr("Pause Remapping") : tr("Start Remapping");
}

QString MenuModel::toggleStateText() const {
    return rows_.isRemapping ? tr("Active") : tr("Paused");
}

void MenuModel::toggleRemapping() {
    appState_.toggleRemapping();
    emit commandRun();
}

void MenuModel::openButtonSettings() {
    emit commandRun();
    shell_.showWindow(QString::fromLatin1(setupWindowIdentifier));
}

void MenuModel::sendFeedback() {
    emit commandRun();
    shell_.openFeedbackForm();
}

void MenuModel::toggleStartAtLogin() {
    emit commandRun();
    startAtLogin_.setEnabled(!startAtLogin_.isEnabled());
}

void MenuModel::quit() {
    emit commandRun();
    engine_.stop();
    shell_.terminate();
}

// Signals only on a real change, so the native menu is not rebuilt for every
// repeated assignment of the same text.
void MenuModel::refresh() {
    MenuRows rows = menuRows(appState_.isRemapping(), engine_.lastEvent(), store_.activeProfile());
    if (rows == rows_) {
        return;
    }
    rows_ = std::move(rows);
    emit changed();
}

} // namespace bindwell
