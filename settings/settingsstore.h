#pragma once

// The program's on-disk settings: the application configuration, the factory
// profile and the ten host profiles, all INI files under <modules>/setting/.
// Every write is synced before the call returns, so a killed program loses
// nothing.

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

class SettingsDialogs;

class SettingsStore
{
public:
    static constexpr int profileCount = 10;

    // dialogs: answers the file dialogs of loadProfile/saveProfile; may be
    // null (every dialog then counts as cancelled) and may be set later.
    explicit SettingsStore(const QString &modulesDir = QStringLiteral("./modules"),
                           SettingsDialogs *dialogs = nullptr);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    void setDialogs(SettingsDialogs *dialogs);
    SettingsDialogs *dialogs() const { return dialogsAnswering; }

    QString modulesDir() const { return modulesRoot; }
    QString settingDir() const;           // <modules>/setting
    QString configPath() const;           // apConfig.bin
    QString factoryConfigPath() const;    // apConfigD.bin
    QString factoryProfilePath() const;   // pD.bin
    QString profilePath(int i) const;     // p<i+1>.bin
    QString nameListPath() const;         // name.bin
    QString macroDir() const;             // <modules>/macro
    QString gunDataPath() const;          // <modules>/gun/gunData.bin
    QString languageDir() const;          // <modules>/i18n

    // Model flags, read once at construction (not re-read by resetApconfig).
    bool isColorful() const { return cachedIsColorful; }
    bool isGun() const { return cachedIsGun; }
    QString icType() const { return cachedIcType; }
    bool is55328() const { return cachedIs55328; }

    // Application configuration.
    QVariant getGlobalData(const QVariant &key);
    void setGlobalData(const QVariant &key, const QVariant &tmpdata);
    void resetApconfig();

    // Current profile, or the factory profile when isRecovery is true.
    QVariant getData(const QVariant &key, bool isRecovery);
    void setData(const QVariant &key, const QVariant &data);
    QVariantList getDataList(const QVariant &key, bool isRecovery);
    void setDataList(const QVariant &key, const QVariantList &datalist);

    // Whole profiles. Indices outside 0..9 are refused (nothing changes).
    void setCurrentProfile(int profile);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);

    QVariant getXYSensitive(const QVariant &index);
    void setXYSensitive(const QVariant &index, const QVariant &xyData);
    QVariant getselectGun(const QVariant &index);
    void setSelectGun(const QVariant &index, const QVariant &xyData);

    // The stores themselves. The objects stay the same for the store's whole
    // life (a replaced profile is re-read in place), so references may be kept.
    QSettings &config();
    QSettings &factoryProfile();
    QSettings &profile(int i);            // i outside 0..9: the current profile
    QSettings &currentProfile();
    int currentProfileIndex() const { return currentIndex; }

    static bool isValidProfileIndex(int i) { return i >= 0 && i < profileCount; }

private:
    bool replaceProfileFile(int profile, const QString &sourcePath);
    void readModelFlags();

    QString modulesRoot;
    SettingsDialogs *dialogsAnswering = nullptr;
    std::unique_ptr<QSettings> configStore;
    std::unique_ptr<QSettings> factoryStore;
    std::vector<std::unique_ptr<QSettings>> profileStores;
    int currentIndex = 0;
    bool cachedIsColorful = false;
    bool cachedIsGun = false;
    QString cachedIcType;
    bool cachedIs55328 = false;
};
