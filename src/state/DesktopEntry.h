// Main thread only (reads files).
#pragma once

#include "model/FocusedApp.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace bindwell {

// What the desktop shows for an application: its name and its icon (a theme
// icon name, or a file path).
struct DesktopEntry {
    QString name;
    QString icon;

    friend bool operator==(const DesktopEntry&, const DesktopEntry&) = default;
};

// The folders that hold .desktop files, most important first:
// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share) with /applications.
[[nodiscard]] QStringList applicationFolders();

// The .desktop file that describes `app`, searched in `folders`: one named
// after its application id; else one whose StartupWMClass is its WM_CLASS
// (ignoring case); else one named after the lower-cased WM_CLASS. Nothing
// when no file fits or the file has no Name.
[[nodiscard]] std::optional<DesktopEntry> findDesktopEntry(const FocusedApp& app,
                                                           const QStringList& folders);

} // namespace bindwell
