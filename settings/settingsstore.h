#pragma once

// The program's on-disk settings: the application configuration, the factory
// profile and the ten host profiles, all INI files under <modules>/setting/.
// Every write reaches the disk before the call returns, so a killed program
// loses nothing; inside a Batch the writes of one action reach it together,
// as one atomic replace of each file they changed. A write that fails (a
// full disk) leaves the file as it was, drops the edit and warns the user.

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

class DurableIni;
class SettingsDialogs;
namespace kairo::disk {
enum class Text;
}

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
    QString settingDir() const;         // <modules>/setting
    QString configPath() const;         // apConfig.bin
    QString factoryConfigPath() const;  // apConfigD.bin
    QString factoryProfilePath() const; // pD.bin
    QString profilePath(int i) const;   // p<i+1>.bin
    QString nameListPath() const;       // name.bin
    QString macroDir() const;           // <modules>/macro
    QString gunDataPath() const;        // <modules>/gun/gunData.bin
    QString languageDir() const;        // <modules>/i18n

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
    // life (a replaced profile is re-read in place), so references may be kept
    // until a write of that file fails; writes go through the setters.
    QSettings &config();
    QSettings &factoryProfile();
    QSettings &profile(int i); // i outside 0..9: the current profile
    QSettings &currentProfile();
    int currentProfileIndex() const { return currentIndex; }

    // name.bin, the lists of macro, gun and profile names: one store for all
    // its readers and writers, so no copy of it can go stale.
    QSettings &nameList();
    bool nameListEdited(); // false when the write failed

    static bool isValidProfileIndex(int i) { return i >= 0 && i < profileCount; }

    // Writes every pending edit; false when any file could not be written.
    bool saveChanges();
    // Tells the user that path keeps its old content: it could not be
    // written, or (readFailed) not read whole before the edit.
    void warnNotSaved(const QString &path, bool readFailed = false);

    // Holds back the writes of one action until the outermost batch ends.
    class Batch
    {
    public:
        explicit Batch(SettingsStore &store)
            : store(store)
        {
            ++store.batchDepth;
        }
        ~Batch()
        {
            if (--store.batchDepth == 0)
                store.saveChanges();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        SettingsStore &store;
    };

private:
    bool replaceProfileFile(int profile, const QString &sourcePath);
    bool replaceStoreFile(DurableIni &store, const QString &sourcePath);
    bool edited(DurableIni &store);
    bool commit(DurableIni &store);
    void warnNotImported(kairo::disk::Text why, const QString &chosen);
    bool isProfileText(const QByteArray &bytes);
    void readModelFlags();

    QString modulesRoot;
    SettingsDialogs *dialogsAnswering = nullptr;
    std::unique_ptr<DurableIni> configStore;
    std::unique_ptr<QSettings> factoryStore; // read only
    std::vector<std::unique_ptr<DurableIni>> profileStores;
    std::unique_ptr<DurableIni> nameListStore;
    int currentIndex = 0;
    int batchDepth = 0;
    bool cachedIsColorful = false;
    bool cachedIsGun = false;
    QString cachedIcType;
    bool cachedIs55328 = false;
};
