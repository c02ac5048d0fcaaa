// Main thread only.
#pragma once

#include <QObject>
#include <QString>

namespace bindwell {

// Whether the desktop starts Bindwell at login: an entry in the user's XDG
// autostart folder ($XDG_CONFIG_HOME/autostart/bindwell.desktop) that runs
// this program with --login. The file is the only state, so every copy of
// this object agrees with the others once it re-reads it.
class StartAtLogin final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)

public:
    static constexpr const char* loginArgument = "--login";

    // `executable` is what the entry runs (this program's own path).
    explicit StartAtLogin(QString executable, QObject* parent = nullptr);

    [[nodiscard]] static QString entryPath();

    // An entry that the user hid (Hidden=true), or that is not ours to read,
    // counts as off.
    [[nodiscard]] bool isEnabled() const;
    // Writes or removes the entry; a failure is logged and changes nothing.
    void setEnabled(bool enabled);
    // Re-reads the file, for a row about to be shown.
    Q_INVOKABLE void refresh();

signals:
    void enabledChanged();

private:
    [[nodiscard]] QString entryText() const;

    QString executable_;
    bool enabled_ = false;
};

} // namespace bindwell
