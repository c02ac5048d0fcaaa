#include "model/ConfigStore.h"

#include "AcmeDevices.h"
#include "LogCapture.h"
#include "model/ConfigFormat.h"
#include "model/UnreadableConfigBackup.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bindwell {
namespace {

DeviceProfile profile(int64_t vendor, bool active) {
    return test::acmeProfile("Pad", vendor, 1, active);
}

class ConfigStoreTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const {
        return QDir(dir.path()).filePath(name);
    }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    [[nodiscard]] QByteArray readFile(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeProfiles(const std::vector<DeviceProfile>& profiles) const {
        writeFile("config.json", QByteArray::fromStdString(writeConfig(profiles)));
    }

    void setFlag(bool value) const {
        QSettings(path("Bindwell.conf"), QSettings::IniFormat)
            .setValue(ConfigStore::setupKey, value);
    }

    [[nodiscard]] bool storedFlag() const {
        return QSettings(path("Bindwell.conf"), QSettings::IniFormat)
            .value(ConfigStore::setupKey, false)
            .toBool();
    }

    [[nodiscard]] std::vector<DeviceProfile> profilesOnDisk() const {
        const QByteArray bytes = readFile("config.json");
        ConfigReadResult result = readConfig({bytes.constData(), size_t(bytes.size())});
        EXPECT_TRUE(result.ok()) << result.error;
        return result.profiles;
    }

    [[nodiscard]] QStringList keptCopies() const {
        return QDir(dir.path()).entryList({"config.invalid-*.json"}, QDir::Files, QDir::Name);
    }

    // The log since the last look: one line beginning with each of `starts`.
    void expectLog(const std::vector<std::string>& starts) {
        ASSERT_EQ(log.lines().size(), starts.size());
        for (size_t i = 0; i < starts.size(); ++i) {
            EXPECT_TRUE(log.lines()[i].starts_with("[Bindwell] " + starts[i])) << log.lines()[i];
        }
        log.clear();
    }

    QTemporaryDir dir;
    test::LogCapture log;
};

std::vector<std::string> ids(const std::vector<DeviceProfile>& profiles) {
    std::vector<std::string> result;
    for (const auto& p : profiles) {
        result.push_back(p.id + (p.isActive ? "*" : ""));
    }
    return result;
}

using Ids = std::vector<std::string>;

// A finished setup needs profiles behind it: without any the flag is reset.
// Without a file the folder is made, and nothing written or logged.
TEST_F(ConfigStoreTest, CreationLoadsProfilesAndKeepsTheFlagOnlyWithProfiles) {
    const ConfigStore fresh(path("nested/Bindwell"));
    EXPECT_TRUE(fresh.profiles().empty());
    EXPECT_TRUE(QDir(path("nested/Bindwell")).exists() && QDir(path("nested/Bindwell")).isEmpty());
    EXPECT_TRUE(log.lines().empty());
    for (const QByteArray& content : {QByteArray(), QByteArray("[]")}) {
        if (!content.isNull()) {
            writeFile("config.json", content);
        }
        setFlag(true);
        EXPECT_FALSE(ConfigStore(dir.path()).hasCompletedSetup());
        EXPECT_FALSE(storedFlag());
    }
    writeProfiles({profile(1, false), profile(2, true), profile(3, true)});
    setFlag(true);
    ConfigStore store(dir.path());
    EXPECT_EQ(ids(store.profiles()), (Ids{"device_1_1", "device_2_1*", "device_3_1*"}));
    EXPECT_EQ(store.activeProfile()->id, "device_2_1"); // the first of several active ones
    EXPECT_TRUE(store.hasCompletedSetup());
    EXPECT_TRUE(storedFlag());
}

// Every controller keeps its own active profile: activating one turns off
// only the profiles that name the very same controller.
TEST_F(ConfigStoreTest, SaveProfileAppendsReplacesAndKeepsOneActivePerController) {
    ConfigStore store(dir.path());
    QSignalSpy activeChanges(&store, &ConfigStore::activeProfilesChanged);
    store.saveProfile(profile(1, true));
    store.saveProfile(profile(2, false));
    EXPECT_EQ(ids(store.profiles()), (Ids{"device_1_1*", "device_2_1"}));
    store.saveProfile(profile(3, true));
    EXPECT_EQ(ids(store.profiles()), (Ids{"device_1_1*", "device_2_1", "device_3_1*"}));

    DeviceProfile sameController = profile(1, true);
    sameController.id = "second_for_1";
    store.saveProfile(sameController);
    DeviceProfile oneUnit = profile(3, true);
    oneUnit.id = "unit_of_3";
    oneUnit.serialNumber = "SN-7";
    store.saveProfile(oneUnit);
    EXPECT_EQ(ids(store.profiles()),
              (Ids{"device_1_1", "device_2_1", "device_3_1*", "second_for_1*", "unit_of_3*"}));

    DeviceProfile renamed = profile(1, true);
    renamed.deviceName = "Renamed";
    store.saveProfile(renamed);
    store.setProfileActive("unit_of_3", false);
    EXPECT_EQ(ids(store.profiles()),
              (Ids{"device_1_1*", "device_2_1", "device_3_1*", "second_for_1", "unit_of_3"}));
    EXPECT_EQ(store.profiles()[0].deviceName, "Renamed");
    EXPECT_EQ(ids(profilesOnDisk()), ids(store.profiles()));
    // Saving an active profile again changes nothing that is active.
    store.saveProfile(renamed);
    EXPECT_EQ(activeChanges.count(), 6);
}

// Every edit of a mapping is saved; one of an active profile is announced so
// that a running engine takes it at once.
TEST_F(ConfigStoreTest, MappingEditsSaveAnnounceActiveOnesAndUnknownTargetsChangeNothing) {
    writeProfiles({profile(1, true), profile(2, false)});
    ConfigStore store(dir.path());
    QSignalSpy activeChanges(&store, &ConfigStore::activeProfilesChanged);
    store.updateMapping("device_2_1", "2_1_btn3", RemapAction::tabKey());
    EXPECT_EQ(profilesOnDisk()[1].buttonMappings[7].action, RemapAction::tabKey());
    EXPECT_EQ(activeChanges.count(), 0);

    store.addAppOverride("device_1_1", "1_1_btn3", {"firefox", RemapAction::tabKey()});
    store.addAppOverride("device_1_1", "1_1_btn3", {"org.kde.*", RemapAction::none()});
    store.addAppOverride("device_1_1", "1_1_btn3", {"code", RemapAction::none()});
    store.removeAppOverride("device_1_1", "1_1_btn3", 1);
    const auto rules = profilesOnDisk()[0].buttonMappings[7].appOverrides;
    ASSERT_EQ(rules.size(), 2U);
    EXPECT_EQ(rules[0].match, "firefox");
    EXPECT_EQ(rules[0].action, RemapAction::tabKey());
    EXPECT_EQ(rules[1].match, "code");
    EXPECT_EQ(activeChanges.count(), 4);

    store.setGestureAction("device_1_1", "1_1_btn3", Gesture::hold, RemapAction::enterKey());
    store.setGestureAction("device_1_1", "1_1_btn3", Gesture::doubleTap, RemapAction::tabKey());
    store.setGestureAction("device_1_1", "1_1_btn3", Gesture::doubleTap, std::nullopt);
    store.setGestureMilliseconds("device_1_1", Gesture::hold, 5000);
    store.setGestureMilliseconds("device_2_1", Gesture::doubleTap, 300);
    const std::vector<DeviceProfile> stored = profilesOnDisk();
    EXPECT_EQ(stored[0].buttonMappings[7].holdAction, RemapAction::enterKey());
    EXPECT_EQ(stored[0].buttonMappings[7].doubleTapAction, std::nullopt);
    EXPECT_EQ(stored[0].holdMilliseconds, 2000);
    EXPECT_EQ(stored[1].doubleTapMilliseconds, 300);
    EXPECT_EQ(activeChanges.count(), 8);

    QFile::remove(store.configPath());
    QSignalSpy changed(&store, &ConfigStore::profilesChanged);
    store.updateMapping("device_9_9", "1_1_btn3", RemapAction::tabKey());
    store.updateMapping("device_1_1", "nope", RemapAction::tabKey());
    store.addAppOverride("device_1_1", "nope", {"firefox", RemapAction::none()});
    store.setGestureAction("device_1_1", "1_1_btn3", Gesture::tap, RemapAction::none());
    store.setGestureAction("device_1_1", "1_1_btn3", Gesture::hold, RemapAction::enterKey());
    store.setGestureMilliseconds("device_1_1", Gesture::hold, 2001);
    store.setGestureMilliseconds("device_9_9", Gesture::hold, 300);
    for (const int index : {-1, 2}) {
        store.removeAppOverride("device_1_1", "1_1_btn3", index);
    }
    // A mapping is added once: not under another id for the same source.
    ButtonMapping again = profile(1, true).buttonMappings[7];
    store.addMapping("device_1_1", again);
    again.id = "1_1_other";
    store.addMapping("device_1_1", again);
    store.addMapping("device_9_9", again);
    store.removeMapping("device_1_1", "nope");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(QFile::exists(store.configPath())); // nothing was written
    EXPECT_TRUE(log.lines().empty());
}

// A file that cannot be read is copied aside once per content (never by a
// reader), and left as it is until a save replaces it.
TEST_F(ConfigStoreTest, BrokenFilesAreKeptAsideOncePerContentUntilASaveReplacesThem) {
    const QByteArray broken = R"([{"id": "device_1_1", oops}])";
    writeFile("config.json", broken);
    ConfigStore store(dir.path());
    EXPECT_TRUE(store.profiles().empty());
    EXPECT_EQ(readFile("config.json"), broken);
    const QStringList copies = keptCopies();
    ASSERT_EQ(copies.size(), 1); // its name is the backup's own concern
    EXPECT_EQ(readFile(copies[0]), broken);
    const std::string kept = "Kept unreadable config as " + path(copies[0]).toStdString();
    expectLog({"Failed to load config: parse error", kept});
    store.saveProfile(profile(2, true));
    EXPECT_EQ(ids(profilesOnDisk()), (Ids{"device_2_1*"}));
    EXPECT_EQ(readFile(copies[0]), broken);

    const auto start = [this](const QByteArray& text, ConfigStore::Mode mode) {
        writeFile("config.json", text);
        const ConfigStore again(dir.path(), nullptr, mode);
    };
    start(broken, ConfigStore::Mode::readWrite);
    expectLog({"Failed to load config: parse error", kept});
    start("[[", ConfigStore::Mode::readOnly);
    expectLog({"Failed to load config: parse error"});
    EXPECT_EQ(keptCopies().size(), 1);
    // Warnings come before the error.
    start(R"([{"id":"a","id":"b"}])", ConfigStore::Mode::readWrite);
    expectLog(
        {R"(⚠️ Config: profile 0 ("b"), key "id" appears more than once; the last one counts)",
         "Failed to load config: ", "Kept unreadable config as "});
    EXPECT_EQ(keptCopies().size(), 2);
}

// Copies of different contents made in one second: named by local time, then
// numbered, and none overwritten.
TEST_F(ConfigStoreTest, CopiesAreNamedByLocalTimeAndATakenNameGetsANumber) {
    const QDateTime when{QDate(2026, 3, 4), QTime(5, 6, 7)};
    for (const char* content : {"one", "two", "three"}) {
        EXPECT_TRUE(keepUnreadableConfig(dir.path(), content, when.toUTC()).ok());
    }
    EXPECT_EQ(keptCopies(), (QStringList{"config.invalid-20260304-050607-2.json",
                                         "config.invalid-20260304-050607-3.json",
                                         "config.invalid-20260304-050607.json"}));
    EXPECT_EQ(readFile("config.invalid-20260304-050607.json"), "one");
    EXPECT_EQ(readFile("config.invalid-20260304-050607-3.json"), "three");
}

TEST_F(ConfigStoreTest, AFailedSaveKeepsTheListAndNeverOverwritesAnUnreadableFile) {
    // A directory in the file's place cannot be read, whatever the privileges.
    ASSERT_TRUE(QDir().mkpath(path("config.json/inside")));
    ConfigStore store(dir.path());
    EXPECT_TRUE(store.profiles().empty());
    expectLog({"Failed to load config: ", "⚠️ Could not keep a copy of the unreadable config"});
    EXPECT_TRUE(keptCopies().empty());

    store.saveProfile(profile(2, true));
    EXPECT_EQ(store.profiles().size(), 1U);
    expectLog({"Failed to save config: not replacing "});
    EXPECT_TRUE(QFileInfo::exists(path("config.json/inside")));

    // Once the user moves it away, saving works again.
    ASSERT_TRUE(QDir().rename(path("config.json"), path("moved")));
    store.saveProfile(profile(3, true));
    EXPECT_EQ(ids(profilesOnDisk()), (Ids{"device_2_1*", "device_3_1*"}));

    // Any other failed write is logged, and the list in memory kept.
    ASSERT_TRUE(QFile::remove(path("config.json")) && QDir().mkpath(path("config.json")));
    store.saveProfile(profile(4, true));
    EXPECT_EQ(store.profiles().size(), 3U);
    expectLog({"Failed to save config: "});
}

} // namespace
} // namespace bindwell
