// Main thread only.
#pragma once

#include "ui/CommandRunner.h"
#include "ui/GnomeExtensionStatus.h"

#include <QObject>
#include <QString>

namespace bindwell {

// The setup window's offer to install and switch on the GNOME Shell
// extension that tells Bindwell which application has the focus. On any
// other desktop it offers nothing and runs nothing. Every command runs
// without blocking, and each step's failure is logged and shown.
class GnomeFocusExtension final : public QObject {
    Q_OBJECT
    // Show the card: a GNOME session whose extension is not running, or one
    // that has just been set up here (so the result stays readable until the
    // next refresh).
    Q_PROPERTY(bool offered READ offered NOTIFY changed)
    Q_PROPERTY(bool canEnable READ canEnable NOTIFY changed)
    Q_PROPERTY(bool busy READ busy NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)

public:
    static constexpr const char* uuid = "bindwell-focus@bindwell";

    explicit GnomeFocusExtension(CommandRunner runner = processRunner(), QObject* parent = nullptr);

    [[nodiscard]] bool offered() const;
    [[nodiscard]] bool canEnable() const;
    [[nodiscard]] bool busy() const { return busy_; }
    [[nodiscard]] QString message() const { return message_; }
    [[nodiscard]] GnomeExtensionState state() const { return state_; }
    void setRunner(CommandRunner runner) { runner_ = std::move(runner); }

    // The user's own copy: $XDG_DATA_HOME/gnome-shell/extensions/<uuid>.
    [[nodiscard]] static QString userFolder();

    // Asks the shell again, for a page about to be shown.
    Q_INVOKABLE void refresh();
    // Copies the variant that fits this shell into the user's extensions
    // (unless some copy is installed already), then switches it on.
    Q_INVOKABLE void enable();

signals:
    void changed();

private:
    void enableVariant(const QString& versionOutput);
    void switchOn(bool freshlyCopied);
    void finish(GnomeExtensionState state, const QString& message);
    void fail(const std::string& logLine, const QString& message);

    CommandRunner runner_;
    GnomeExtensionState state_ = GnomeExtensionState::NotGnome;
    QString message_;
    bool busy_ = false;
    bool setUpHere_ = false;
};

} // namespace bindwell
