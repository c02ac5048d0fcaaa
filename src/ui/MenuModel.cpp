#include "ui/MenuModel.h"

#include "engine/HIDInterceptor.h"
#include "model/AppMatch.h"
#include "model/ConfigStore.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <algorithm>
#include <functional>

namespace bindwell {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString unitName(const DeviceIdentity& unit) {
    return qs(unit.serialNumber.empty() ? unit.physicalPath : unit.serialNumber);
}

// "<device>", with the unit's serial number (or port) when another present
// controller goes by the same name, and its last event once it has one.
QStringList controllerLines(const std::vector<ControllerStatus>& controllers) {
    QStringList lines;
    for (const ControllerStatus& controller : controllers) {
        QString line = qs(controller.profile->deviceName);
        const bool hasNamesake =
            std::count_if(controllers.begin(), controllers.end(), [&](const auto& other) {
                return other.profile->deviceName == controller.profile->deviceName;
            }) > 1;
        if (hasNamesake && !unitName(*controller.unit).isEmpty()) {
            line += QStringLiteral(" (") + unitName(*controller.unit) + u')';
        }
        if (!controller.lastEvent.empty()) {
            line += QStringLiteral(" — ") + qs(controller.lastEvent);
        }
        lines.append(line);
    }
    return lines;
}

QString activeDeviceNames(const std::vector<DeviceProfile>& activeProfiles) {
    QStringList names;
    for (const DeviceProfile& profile : activeProfiles) {
        names.append(qs(profile.deviceName));
    }
    return names.join(QStringLiteral(", "));
}

bool anyRule(const std::vector<DeviceProfile>& profiles,
             const std::function<bool(const AppOverride&)>& test) {
    return std::any_of(profiles.begin(), profiles.end(), [&](const DeviceProfile& profile) {
        return std::any_of(profile.buttonMappings.begin(), profile.buttonMappings.end(),
                           [&](const ButtonMapping& mapping) {
                               return std::any_of(mapping.appOverrides.begin(),
                                                  mapping.appOverrides.end(), test);
                           });
    });
}

void setAppRuleRows(MenuRows& rows, const std::vector<DeviceProfile>& activeProfiles,
                    const MenuFocus& focus) {
    if (!anyRule(activeProfiles, [](const AppOverride&) { return true; })) {
        return;
    }
    if (!focus.unavailableReason.isEmpty()) {
        rows.focusUnavailable =
            QCoreApplication::translate("MenuModel", "Per-app rules inactive: %1")
                .arg(focus.unavailableReason);
        return;
    }
    if (!rows.isRemapping || focus.name.isEmpty()) {
        return;
    }
    const bool inForce = anyRule(activeProfiles, [&focus](const AppOverride& rule) {
        return ruleMatches(rule.match, focus.app);
    });
    rows.appRules =
        inForce
            ? QCoreApplication::translate("MenuModel", "App rules: %1").arg(focus.name)
            : QCoreApplication::translate("MenuModel", "App rules: none for %1").arg(focus.name);
}

} // namespace

MenuRows menuRows(bool isRemapping, const std::string& lastEvent,
                  const std::vector<DeviceProfile>& activeProfiles,
                  const std::vector<ControllerStatus>& controllers, const MenuFocus& focus) {
    MenuRows rows;
    rows.isRemapping = isRemapping;
    setAppRuleRows(rows, activeProfiles, focus);
    if (isRemapping && controllers.size() > 1) {
        rows.controllerLines = controllerLines(controllers);
        return rows;
    }
    rows.showsLastEvent = isRemapping && !lastEvent.empty();
    if (rows.showsLastEvent) {
        rows.lastEvent = qs(lastEvent);
    }
    if (isRemapping && controllers.size() == 1) {
        rows.showsDevice = true;
        rows.deviceName = qs(controllers.front().profile->deviceName);
    } else {
        rows.showsDevice = !activeProfiles.empty();
        rows.deviceName = activeDeviceNames(activeProfiles);
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
    connect(&engine_, &HIDInterceptor::controllersChanged, this, &MenuModel::refresh);
    connect(&store_, &ConfigStore::profilesChanged, this, &MenuModel::refresh);
    connect(&engine_, &HIDInterceptor::focusedAppChanged, this, &MenuModel::refresh);
    rows_ = currentRows();
}

MenuRows MenuModel::currentRows() const {
    const FocusedApp& app = engine_.focusedApp();
    const bool known = !app.appId.empty() || !app.wmClass.empty();
    return menuRows(appState_.isRemapping(), engine_.lastEvent(), store_.activeProfiles(),
                    engine_.controllers(),
                    {app, known ? appState_.recentApps().displayName(app) : QString(),
                     focusUnavailableReason_});
}

void MenuModel::setFocusUnavailableReason(const QString& reason) {
    if (reason == focusUnavailableReason_) {
        return;
    }
    focusUnavailableReason_ = reason;
    rows_ = currentRows();
    emit changed();
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
    MenuRows rows = currentRows();
    if (rows == rows_) {
        return;
    }
    rows_ = std::move(rows);
    emit changed();
}

} // namespace bindwell
