// The extension cannot be loaded into a running GNOME Shell on Wayland: the
// shell reads its extension folders at login only. So the offer copies the
// extension and switches it on at once (the setting survives the login), and
// says plainly that it starts working after the next login. A copy that
// exists already, the user's or the system's, is left alone unless the shell
// reports it broken, which usually means it came from an older Bindwell.
#include "ui/GnomeFocusExtension.h"

#include "support/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace bindwell {
namespace {

const QString extensionsPath = QStringLiteral("gnome-shell/extensions/");

// The shipped variant: the installed data wins; a build run from the source
// tree finds it there.
QString variantFolder(const QString& variant) {
    for (const char* root : {BINDWELL_GNOME_SHELL_INSTALLED, BINDWELL_GNOME_SHELL_SOURCE}) {
        const QString folder = QString::fromUtf8(root) + u'/' + variant + u'/' +
                               QLatin1String(GnomeFocusExtension::uuid);
        if (QFileInfo::exists(folder + QStringLiteral("/metadata.json"))) {
            return folder;
        }
    }
    return {};
}

// Any copy the shell would load: the user's, or one in a system data folder.
bool installedAnywhere() {
    return !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                   extensionsPath + QLatin1String(GnomeFocusExtension::uuid) +
                                       QStringLiteral("/metadata.json"))
                .isEmpty();
}

// The extension is a flat folder of a few files. Returns an error text, or
// an empty one when every file arrived.
QString copyFiles(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) {
        return QStringLiteral("cannot create the folder");
    }
    for (const QFileInfo& file : QDir(from).entryInfoList(QDir::Files)) {
        const QString target = to + u'/' + file.fileName();
        QFile::remove(target);
        QFile source(file.filePath());
        if (!source.copy(target)) {
            return file.fileName() + QStringLiteral(": ") + source.errorString();
        }
    }
    return {};
}

} // namespace

GnomeFocusExtension::GnomeFocusExtension(CommandRunner runner, QObject* parent)
    : QObject(parent), runner_(std::move(runner)) {}

bool GnomeFocusExtension::offered() const {
    return state_ != GnomeExtensionState::NotGnome &&
           (state_ != GnomeExtensionState::Enabled || setUpHere_);
}

bool GnomeFocusExtension::canEnable() const {
    switch (state_) {
    case GnomeExtensionState::Missing:
    case GnomeExtensionState::NotLoaded:
    case GnomeExtensionState::Disabled:
    case GnomeExtensionState::Broken:
        return !busy_;
    default:
        return false;
    }
}

QString GnomeFocusExtension::userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' +
           extensionsPath + QLatin1String(uuid);
}

void GnomeFocusExtension::refresh() {
    if (busy_) {
        return;
    }
    // A page shown again reads the shell afresh, not the last result.
    setUpHere_ = false;
    if (!isGnomeDesktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP"))) {
        finish(GnomeExtensionState::NotGnome, {});
        return;
    }
    busy_ = true;
    emit changed();
    runner_(QStringLiteral("gnome-extensions"), {QStringLiteral("info"), QLatin1String(uuid)},
            [self = QPointer(this)](const CommandResult& info) {
                if (!self) {
                    return;
                }
                const GnomeExtensionState state =
                    gnomeExtensionState({true, installedAnywhere(), info});
                if (state == GnomeExtensionState::NoTool) {
                    log("⚠️ Could not run gnome-extensions: " + info.output.toStdString());
                }
                self->finish(state, gnomeExtensionMessage(state, info));
            });
}

void GnomeFocusExtension::enable() {
    if (!canEnable()) {
        return;
    }
    busy_ = true;
    emit changed();
    runner_(QStringLiteral("gnome-shell"), {QStringLiteral("--version")},
            [self = QPointer(this)](const CommandResult& version) {
                if (!self) {
                    return;
                }
                if (version.exitCode != 0) {
                    self->fail(
                        "⚠️ Could not read the GNOME Shell version: " +
                            version.output.toStdString(),
                        tr("Could not tell which GNOME Shell runs here: %1").arg(version.output));
                    return;
                }
                self->enableVariant(version.output);
            });
}

void GnomeFocusExtension::enableVariant(const QString& versionOutput) {
    int major = 0;
    const QString variant = gnomeExtensionVariant(versionOutput, &major);
    if (variant.isEmpty()) {
        fail("⚠️ No focus extension fits " + versionOutput.toStdString(),
             tr("GNOME Shell %1 is too old for the extension; it needs 43 or later.").arg(major));
        return;
    }
    const bool copy = !installedAnywhere() || state_ == GnomeExtensionState::Broken;
    if (copy) {
        const QString source = variantFolder(variant);
        if (source.isEmpty()) {
            fail("⚠️ GNOME Shell extension not found at " +
                     std::string(BINDWELL_GNOME_SHELL_INSTALLED),
                 tr("Bindwell's copy of the extension is missing; reinstall Bindwell."));
            return;
        }
        if (const QString error = copyFiles(source, userFolder()); !error.isEmpty()) {
            fail("⚠️ Could not copy the GNOME Shell extension to " +
                     userFolder().toStdString() + ": " + error.toStdString(),
                 tr("Could not copy the extension to %1.").arg(userFolder()));
            return;
        }
        log("GNOME Shell extension for GNOME " + variant.toStdString() + "+ copied to " +
            userFolder().toStdString());
    }
    switchOn(copy);
}

void GnomeFocusExtension::switchOn(bool freshlyCopied) {
    runner_(QStringLiteral("gnome-extensions"), {QStringLiteral("enable"), QLatin1String(uuid)},
            [self = QPointer(this), freshlyCopied](const CommandResult& result) {
                if (!self) {
                    return;
                }
                if (result.exitCode != 0 && !freshlyCopied) {
                    self->fail("⚠️ gnome-extensions enable failed: " +
                                   result.output.toStdString(),
                               tr("Could not enable the extension: %1").arg(result.output));
                    return;
                }
                self->setUpHere_ = true;
                if (result.exitCode != 0) {
                    // The shell does not know a folder that appeared after login.
                    log("GNOME Shell extension installed; it can be enabled after the next login");
                    self->finish(GnomeExtensionState::NotLoaded,
                                 tr("Installed. GNOME Shell sees a new extension only after you "
                                    "log out and back in; then press Enable again."));
                    return;
                }
                log("GNOME Shell extension enabled");
                self->finish(GnomeExtensionState::Enabled,
                             freshlyCopied
                                 ? tr("Installed and enabled. GNOME Shell starts a new extension "
                                      "only after you log out and back in.")
                                 : tr("Enabled. Per-application actions start the next time "
                                      "Bindwell starts."));
            });
}

void GnomeFocusExtension::finish(GnomeExtensionState state, const QString& message) {
    state_ = state;
    message_ = message;
    busy_ = false;
    emit changed();
}

void GnomeFocusExtension::fail(const std::string& logLine, const QString& message) {
    log(logLine);
    finish(state_, message);
}

} // namespace bindwell
