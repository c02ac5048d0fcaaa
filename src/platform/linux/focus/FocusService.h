// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <functional>

namespace bindwell::linuxplatform {

// Bindwell's end of the compositor scripts' reports: an object on the session
// bus whose FocusChanged(appId, wmClass, title) the KWin script and the GNOME
// Shell extension call on every change of focus.
class FocusService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.bindwell.Focus")

public:
    static constexpr const char* serviceName = "org.bindwell.Focus";
    static constexpr const char* objectPath = "/org/bindwell/Focus";

    // Reports reach `onFocus` only from the current owner of `trustedSender`
    // (the compositor's bus name), so no other program can steer the rules.
    FocusService(QString trustedSender, std::function<void(const FocusedApp&)> onFocus);
    ~FocusService() override;
    FocusService(const FocusService&) = delete;
    FocusService& operator=(const FocusService&) = delete;

    // Puts the object on the session bus; the reason when it cannot.
    [[nodiscard]] QString exportObject();
    // Also takes serviceName, for callers that cannot know this process's
    // own bus name. The first Bindwell process keeps it; `onLost` hears when
    // it cannot be had or is lost (answers come later), once.
    void claimServiceName(std::function<void(const QString& error)> onLost);

    [[nodiscard]] QDBusConnection bus() const { return bus_; }

public Q_SLOTS:
    Q_SCRIPTABLE void FocusChanged(const QString& appId, const QString& wmClass,
                                   const QString& title);

private Q_SLOTS:
    void nameLost(const QString& name);

private:
    void lose(const QString& reason);

    QDBusConnection bus_;
    std::function<void(const QString& error)> onLost_;
    QString trustedSender_;
    std::function<void(const FocusedApp&)> onFocus_;
    QDBusServiceWatcher ownerWatch_;
    QString trustedOwner_;
    bool exported_ = false;
    bool claimed_ = false;
    bool lost_ = false;
};

} // namespace bindwell::linuxplatform
