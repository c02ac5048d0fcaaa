#include "model/ConfigStore.h"

#include "model/ConfigFile.h"
#include "model/ConfigFormat.h"
#include "model/UnreadableConfigBackup.h"
#include "support/Log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace bindwell {
namespace {

void logText(const QString& text) {
    log(text.toStdString());
}

auto byID(const std::string& id) {
    return [&id](const auto& item) { return item.id == id; };
}

// The first profile marked active.
const DeviceProfile* findActive(const std::vector<DeviceProfile>& profiles) {
    const auto found = std::find_if(profiles.begin(), profiles.end(),
                                    [](const DeviceProfile& p) { return p.isActive; });
    return found == profiles.end() ? nullptr : &*found;
}

std::vector<std::string> activeIDs(const std::vector<DeviceProfile>& profiles) {
    std::vector<std::string> ids;
    for (const DeviceProfile& profile : profiles) {
        if (profile.isActive) {
            ids.push_back(profile.id);
        }
    }
    return ids;
}

} // namespace

QString ConfigStore::defaultFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/Bindwell");
}

ConfigStore::ConfigStore(const QString& folder, QObject* parent, Mode mode)
    : QObject(parent), folder_(folder), configPath_(QDir(folder).filePath("config.json")),
      settingsPath_(QDir(folder).filePath("Bindwell.conf")), mode_(mode) {
    // A folder that cannot be made shows up at the first save, which says why.
    if (mode_ == Mode::readWrite) {
        QDir().mkpath(folder_);
    }
    hasCompletedSetup_ =
        QSettings(settingsPath_, QSettings::IniFormat).value(setupKey, false).toBool();
    load();
    // A finished setup without any profile behind it would leave the user
    // with nothing to remap and no wizard to make something.
    if (hasCompletedSetup_ && profiles_.empty() && mode_ == Mode::readWrite) {
        setHasCompletedSetup(false);
    }
}

std::optional<DeviceProfile> ConfigStore::activeProfile() const {
    const DeviceProfile* active = findActive(profiles_);
    return active != nullptr ? std::optional(*active) : std::nullopt;
}

bool ConfigStore::hasActiveProfile() const {
    return findActive(profiles_) != nullptr;
}

std::optional<DeviceProfile> ConfigStore::profileWithID(const std::string& profileID) const {
    const auto found = std::find_if(profiles_.begin(), profiles_.end(), byID(profileID));
    return found != profiles_.end() ? std::optional(*found) : std::nullopt;
}

std::vector<DeviceProfile> ConfigStore::activeProfiles() const {
    std::vector<DeviceProfile> active;
    std::copy_if(profiles_.begin(), profiles_.end(), std::back_inserter(active),
                 [](const DeviceProfile& p) { return p.isActive; });
    return active;
}

void ConfigStore::saveProfile(const DeviceProfile& profile) {
    const std::vector<std::string> activeBefore = activeIDs(profiles_);
    const auto found = std::find_if(profiles_.begin(), profiles_.end(), byID(profile.id));
    if (found != profiles_.end()) {
        *found = profile;
    } else {
        profiles_.push_back(profile);
    }
    if (profile.isActive) {
        for (DeviceProfile& other : profiles_) {
            if (other.id != profile.id && other.namesSameUnitAs(profile)) {
                other.isActive = false;
            }
        }
    }
    save();
    emit profilesChanged();
    if (activeIDs(profiles_) != activeBefore) {
        emit activeProfilesChanged();
    }
}

void ConfigStore::setProfileActive(const std::string& profileID, bool isActive) {
    const auto found = std::find_if(profiles_.begin(), profiles_.end(), byID(profileID));
    if (found == profiles_.end() || found->isActive == isActive) {
        return;
    }
    DeviceProfile profile = *found;
    profile.isActive = isActive;
    saveProfile(profile);
}

void ConfigStore::updateMapping(const std::string& profileID, const std::string& mappingID,
                                const RemapAction& action) {
    editMapping(profileID, mappingID, [&action](ButtonMapping& mapping) {
        mapping.action = action;
        return true;
    });
}

void ConfigStore::addAppOverride(const std::string& profileID, const std::string& mappingID,
                                 const AppOverride& rule) {
    editMapping(profileID, mappingID, [&rule](ButtonMapping& mapping) {
        mapping.appOverrides.push_back(rule);
        return true;
    });
}

void ConfigStore::removeAppOverride(const std::string& profileID, const std::string& mappingID,
                                    int index) {
    editMapping(profileID, mappingID, [index](ButtonMapping& mapping) {
        auto& rules = mapping.appOverrides;
        if (index < 0 || static_cast<size_t>(index) >= rules.size()) {
            return false;
        }
        rules.erase(rules.begin() + index);
        return true;
    });
}

void ConfigStore::setGestureAction(const std::string& profileID, const std::string& mappingID,
                                   Gesture gesture, const std::optional<RemapAction>& action) {
    editMapping(profileID, mappingID, [gesture, &action](ButtonMapping& mapping) {
        std::optional<RemapAction>* slot = mapping.gestureAction(gesture);
        if (slot == nullptr || *slot == action) {
            return false;
        }
        *slot = action;
        return true;
    });
}

void ConfigStore::setGestureMilliseconds(const std::string& profileID, Gesture gesture,
                                         int64_t milliseconds) {
    const auto found = std::find_if(profiles_.begin(), profiles_.end(), byID(profileID));
    if (found == profiles_.end() || gesture == Gesture::tap) {
        return;
    }
    std::optional<int64_t>& time =
        gesture == Gesture::hold ? found->holdMilliseconds : found->doubleTapMilliseconds;
    const int64_t clamped = std::clamp(milliseconds, DeviceProfile::kShortestGestureMilliseconds,
                                       DeviceProfile::kLongestGestureMilliseconds);
    if (time == clamped) {
        return;
    }
    time = clamped;
    save();
    emit profilesChanged();
    if (found->isActive) {
        emit activeProfilesChanged();
    }
}

void ConfigStore::addMapping(const std::string& profileID, const ButtonMapping& mapping) {
    editMappings(profileID, [&mapping](std::vector<ButtonMapping>& mappings) {
        const bool known = std::any_of(mappings.begin(), mappings.end(), [&](const auto& other) {
            return other.id == mapping.id || other.source == mapping.source;
        });
        if (!known) {
            mappings.push_back(mapping);
        }
        return !known;
    });
}

void ConfigStore::removeMapping(const std::string& profileID, const std::string& mappingID) {
    editMappings(profileID, [&mappingID](std::vector<ButtonMapping>& mappings) {
        return std::erase_if(mappings, byID(mappingID)) > 0;
    });
}

void ConfigStore::editMapping(const std::string& profileID, const std::string& mappingID,
                              const std::function<bool(ButtonMapping&)>& edit) {
    editMappings(profileID, [&](std::vector<ButtonMapping>& mappings) {
        const auto mapping = std::find_if(mappings.begin(), mappings.end(), byID(mappingID));
        return mapping != mappings.end() && edit(*mapping);
    });
}

void ConfigStore::editMappings(const std::string& profileID,
                               const std::function<bool(std::vector<ButtonMapping>&)>& edit) {
    const auto profile = std::find_if(profiles_.begin(), profiles_.end(), byID(profileID));
    if (profile == profiles_.end() || !edit(profile->buttonMappings)) {
        return;
    }
    const bool editedActiveProfile = profile->isActive;
    save();
    emit profilesChanged();
    if (editedActiveProfile) {
        emit activeProfilesChanged();
    }
}

void ConfigStore::setHasCompletedSetup(bool value) {
    const bool changed = value != hasCompletedSetup_;
    hasCompletedSetup_ = value;
    QSettings settings(settingsPath_, QSettings::IniFormat);
    settings.setValue(setupKey, value);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        logText(QStringLiteral("⚠️ Failed to store the setup flag in ") + settingsPath_);
    }
    if (changed) {
        emit hasCompletedSetupChanged();
    }
}

void ConfigStore::load() {
    profiles_.clear();
    const ConfigFileBytes file = readConfigFile(configPath_);
    if (!file.exists) {
        emit profilesChanged();
        return;
    }
    if (!file.error.isEmpty()) {
        logText(QStringLiteral("Failed to load config: ") + file.error);
        protectUnreadableFile(file.error);
        emit profilesChanged();
        return;
    }
    ConfigReadResult result =
        readConfig({file.bytes.constData(), static_cast<size_t>(file.bytes.size())});
    for (const std::string& warning : result.warnings) {
        log("⚠️ Config: " + warning);
    }
    if (result.ok()) {
        profiles_ = std::move(result.profiles);
    } else {
        log("Failed to load config: " + result.error);
        keepUnreadableFile(file.bytes);
    }
    emit profilesChanged();
}

void ConfigStore::save() {
    if (mode_ == Mode::readOnly) {
        return;
    }
    if (mustNotOverwrite_ && QFileInfo::exists(configPath_)) {
        logText(QStringLiteral("Failed to save config: not replacing %1, which could not be read "
                               "or kept aside; move it away to save again")
                    .arg(configPath_));
        return;
    }
    mustNotOverwrite_ = false;
    const std::string text = writeConfig(profiles_);
    // QSaveFile writes a temporary file and renames it over config.json, so a
    // crash or a full disk leaves the previous version whole.
    QSaveFile file(configPath_);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        logText(QStringLiteral("Failed to save config: ") + file.errorString());
    }
}

void ConfigStore::keepUnreadableFile(const QByteArray& bytes) {
    if (mode_ == Mode::readOnly) {
        // A reader leaves the folder as it is; the application keeps the copy.
        mustNotOverwrite_ = true;
        return;
    }
    const KeptConfigCopy copy = keepUnreadableConfig(folder_, bytes, QDateTime::currentDateTime());
    if (copy.ok()) {
        logText(QStringLiteral("Kept unreadable config as ") + copy.path);
    } else {
        protectUnreadableFile(copy.error);
    }
}

void ConfigStore::protectUnreadableFile(const QString& reason) {
    mustNotOverwrite_ = true;
    logText(
        QStringLiteral("⚠️ Could not keep a copy of the unreadable config (%1); %2 will not "
                       "be overwritten")
            .arg(reason, configPath_));
}

} // namespace bindwell
