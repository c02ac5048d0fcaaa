// Main thread only.
#pragma once

#include "model/DeviceProfile.h"
#include "model/RemapAction.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace bindwell {

// Owns the stored device profiles and the setup-completed flag. The file is
// read once, at creation, and the whole list is written back after every
// change, so nothing is lost if the program ends without warning.
class ConfigStore final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasCompletedSetup READ hasCompletedSetup WRITE setHasCompletedSetup NOTIFY
                   hasCompletedSetupChanged)

public:
    static constexpr const char* setupKey = "Bindwell_HasCompletedSetup";

    // The user's configuration folder (~/.config/Bindwell); computing it
    // creates nothing.
    [[nodiscard]] static QString defaultFolder();

    // A store over `folder`/config.json; creates the folder and loads the file.
    // The setup flag lives in QSettings as for the shared store.
    explicit ConfigStore(const QString& folder, QObject* parent = nullptr);

    [[nodiscard]] const std::vector<DeviceProfile>& profiles() const { return profiles_; }
    [[nodiscard]] bool hasCompletedSetup() const { return hasCompletedSetup_; }
    [[nodiscard]] QString configPath() const { return configPath_; }

    // A copy of the first profile marked active, if any.
    [[nodiscard]] std::optional<DeviceProfile> activeProfile() const;
    [[nodiscard]] bool hasActiveProfile() const;

    // Inserts or replaces by id; an active profile deactivates every other one.
    // Announces activeProfileChanged when another profile (or none) is now
    // the active one, not when the active one is saved again.
    void saveProfile(const DeviceProfile& profile);
    // Changes one mapping's action; an edit of the active profile is announced
    // by activeProfileChanged, so that it takes effect at once.
    void updateMapping(const std::string& profileID, const std::string& mappingID,
                       const RemapAction& action);
    void setHasCompletedSetup(bool value);

    void load();
    void save();

signals:
    void profilesChanged();
    void hasCompletedSetupChanged();
    // A mapping of the active profile was edited, or another profile became
    // the active one. A running engine restarts on it. Emitted after
    // profilesChanged.
    void activeProfileChanged();

private:
    void keepUnreadableFile(const QByteArray& bytes);
    void protectUnreadableFile(const QString& reason);

    std::vector<DeviceProfile> profiles_;
    bool hasCompletedSetup_ = false;
    QString folder_;
    QString configPath_;
    QString settingsPath_;
    // Set when config.json could not be read and its bytes could not be kept
    // aside: saving over it would destroy the only copy of those settings.
    bool mustNotOverwrite_ = false;
};

} // namespace bindwell
