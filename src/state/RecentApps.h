// Main thread only.
#pragma once

#include "model/FocusedApp.h"
#include "state/DesktopEntry.h"

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <map>
#include <string>
#include <vector>

namespace bindwell {

class HIDInterceptor;

// The distinct applications that had the focus since the program started,
// most recent first, for the editor to offer when a rule is added. Each is
// named and drawn as its .desktop file says, looked up once.
class RecentApps final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantList apps READ apps NOTIFY changed)

public:
    static constexpr size_t capacity = 20;

    // Follows `engine`'s focused application; `folders` are searched for
    // .desktop files (applicationFolders() by default).
    explicit RecentApps(HIDInterceptor& engine, QStringList folders = applicationFolders(),
                        QObject* parent = nullptr);

    // {match, name, icon} of each application; match is what a rule for it
    // would say: its id, else its WM_CLASS. icon may be empty.
    [[nodiscard]] QVariantList apps() const;
    // What the desktop calls `app`: its .desktop Name, else its id, else its
    // WM_CLASS.
    [[nodiscard]] QString displayName(const FocusedApp& app) const;
    // The display name of the application a rule's match was offered for,
    // else the match itself (a typed pattern, or an app not seen this time).
    [[nodiscard]] QString nameForMatch(const std::string& match) const;

signals:
    void changed();

private:
    void remember(const FocusedApp& app);
    [[nodiscard]] const DesktopEntry& entryFor(const FocusedApp& app) const;

    QStringList folders_;
    // Identity only: the same application with another window title is
    // the same entry.
    std::vector<FocusedApp> apps_;
    // Looked up once per application shown: a lookup may read every .desktop
    // file. Entries leave with their applications.
    mutable std::map<std::string, DesktopEntry> entries_;
};

} // namespace bindwell
