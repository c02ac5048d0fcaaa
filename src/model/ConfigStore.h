// Main thread only.
#pragma once

#include "model/DeviceProfile.h"
#include "model/RemapAction.h"

#include <QObject>
#include <QString>
#include <functional>
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

    // readOnly is for commands that only remap (`bindwellctl run`): they
    // create no folder and set no copy of an unreadable file aside.
    enum class Mode { readWrite, readOnly };

    // A store over `folder`/config.json; creates the folder and loads the file.
    // The setup flag lives in QSettings as for the shared store.
    explicit ConfigStore(const QString& folder, QObject* parent = nullptr,
                         Mode mode = Mode::readWrite);

    [[nodiscard]] const std::vector<DeviceProfile>& profiles() const { return profiles_; }
    [[nodiscard]] bool hasCompletedSetup() const { return hasCompletedSetup_; }
    [[nodiscard]] QString configPath() const { return configPath_; }

    // A copy of the first profile marked active, if any: the one the setup
    // window opens on.
    [[nodiscard]] std::optional<DeviceProfile> activeProfile() const;
    [[nodiscard]] bool hasActiveProfile() const;
    [[nodiscard]] std::optional<DeviceProfile> profileWithID(const std::string& profileID) const;
    // Copies of every profile marked active, in file order. Each remaps its
    // controller; a unit that several could claim takes the closest
    // (DeviceProfile::matchRank), the first of equals.
    [[nodiscard]] std::vector<DeviceProfile> activeProfiles() const;

    // Inserts or replaces by id. An active profile deactivates the other
    // profiles of the same controller, and only those: profiles of other
    // controllers stay active. Announces activeProfilesChanged when the set
    // of active profiles changed, not when an active one is saved again.
    void saveProfile(const DeviceProfile& profile);
    // Turns one profile on or off without touching its mappings.
    void setProfileActive(const std::string& profileID, bool isActive);
    // Changes one mapping's action; an edit of an active profile is announced
    // by activeProfilesChanged, so that it takes effect at once.
    void updateMapping(const std::string& profileID, const std::string& mappingID,
                       const RemapAction& action);
    // Adds an application rule after the mapping's others (an earlier rule
    // wins), or removes the one at `index`; saved and announced as
    // updateMapping does. An index out of range changes nothing.
    void addAppOverride(const std::string& profileID, const std::string& mappingID,
                        const AppOverride& rule);
    void removeAppOverride(const std::string& profileID, const std::string& mappingID, int index);
    // Sets or (with nothing) clears a mapping's hold or double-tap action;
    // saved and announced as updateMapping does. The tap changes nothing here.
    void setGestureAction(const std::string& profileID, const std::string& mappingID,
                          Gesture gesture, const std::optional<RemapAction>& action);
    // Sets a profile's hold or double-tap time, brought within the range a
    // file may hold; saved, and announced when the profile is active.
    void setGestureMilliseconds(const std::string& profileID, Gesture gesture,
                                int64_t milliseconds);
    // Adds a mapping after the profile's others, or removes one; saved and
    // announced as updateMapping does. A mapping whose id or source the
    // profile already has is not added; unknown ids change nothing.
    void addMapping(const std::string& profileID, const ButtonMapping& mapping);
    void removeMapping(const std::string& profileID, const std::string& mappingID);
    void setHasCompletedSetup(bool value);

    void load();
    void save();

signals:
    void profilesChanged();
    void hasCompletedSetupChanged();
    // A mapping of an active profile was edited, or the set of active
    // profiles changed. A running engine restarts on it. Emitted after
    // profilesChanged.
    void activeProfilesChanged();

private:
    // Applies `edit` to one mapping; when it reports a change, saves and
    // announces it. Unknown ids change nothing.
    void editMapping(const std::string& profileID, const std::string& mappingID,
                     const std::function<bool(ButtonMapping&)>& edit);
    // The same for the profile's list of mappings as a whole.
    void editMappings(const std::string& profileID,
                      const std::function<bool(std::vector<ButtonMapping>&)>& edit);
    void keepUnreadableFile(const QByteArray& bytes);
    void protectUnreadableFile(const QString& reason);

    std::vector<DeviceProfile> profiles_;
    bool hasCompletedSetup_ = false;
    QString folder_;
    QString configPath_;
    QString settingsPath_;
    Mode mode_;
    // Set when config.json could not be read and its bytes could not be kept
    // aside: saving over it would destroy the only copy of those settings.
    bool mustNotOverwrite_ = false;
};

} // namespace bindwell
