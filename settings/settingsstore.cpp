#include "settings/settingsstore.h"

#include "settings/durableini.h"
#include "settings/profilefile.h"
#include "settings/settingsdialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString keyText(const QVariant &key)
{
    return key.toString();
}

// After a reload every list comes back as text; a one-element list comes
// back as a plain value, which still means a list of one.
QVariantList asList(const QVariant &value)
{
    if (!value.isValid())
        return {};
    const int type = value.typeId();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList)
        return value.toList();
    return {value};
}

QString tr(const char *text)
{
    return QCoreApplication::translate("myQQuickView", text);
}

} // namespace

SettingsStore::SettingsStore(const QString &modulesDir, SettingsDialogs *dialogs)
    : modulesRoot(modulesDir)
    , dialogsAnswering(dialogs)
{
    configStore = std::make_unique<DurableIni>(configPath());
    factoryStore = std::make_unique<QSettings>(factoryProfilePath(), QSettings::IniFormat);
    for (int i = 0; i < profileCount; ++i)
        profileStores.push_back(std::make_unique<DurableIni>(profilePath(i)));
    nameListStore = std::make_unique<DurableIni>(nameListPath());
    readModelFlags();
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::setDialogs(SettingsDialogs *dialogs)
{
    dialogsAnswering = dialogs;
}

QString SettingsStore::settingDir() const
{
    return modulesRoot + QStringLiteral("/setting");
}
QString SettingsStore::configPath() const
{
    return settingDir() + QStringLiteral("/apConfig.bin");
}
QString SettingsStore::factoryConfigPath() const
{
    return settingDir() + QStringLiteral("/apConfigD.bin");
}
QString SettingsStore::factoryProfilePath() const
{
    return settingDir() + QStringLiteral("/pD.bin");
}
QString SettingsStore::nameListPath() const
{
    return settingDir() + QStringLiteral("/name.bin");
}
QString SettingsStore::macroDir() const
{
    return modulesRoot + QStringLiteral("/macro");
}
QString SettingsStore::gunDataPath() const
{
    return modulesRoot + QStringLiteral("/gun/gunData.bin");
}
QString SettingsStore::languageDir() const
{
    return modulesRoot + QStringLiteral("/i18n");
}

QString SettingsStore::profilePath(int i) const
{
    return settingDir() + QStringLiteral("/p%1.bin").arg(i + 1);
}

void SettingsStore::readModelFlags()
{
    QSettings &stored = config();
    cachedIsColorful = stored.value(QStringLiteral("mouse/isColorful")).toBool();
    cachedIsGun = stored.value(QStringLiteral("mouse/isGun")).toBool();
    cachedIcType = stored.value(QStringLiteral("mouse/icType")).toString();
    cachedIs55328 = stored.value(QStringLiteral("mouse/is55328")).toBool();
}

QSettings &SettingsStore::config()
{
    return configStore->settings();
}
QSettings &SettingsStore::factoryProfile()
{
    return *factoryStore;
}
QSettings &SettingsStore::currentProfile()
{
    return profileStores[currentIndex]->settings();
}

QSettings &SettingsStore::profile(int i)
{
    return isValidProfileIndex(i) ? profileStores[i]->settings() : currentProfile();
}

QSettings &SettingsStore::nameList()
{
    return nameListStore->settings();
}
bool SettingsStore::nameListEdited()
{
    return edited(*nameListStore);
}

bool SettingsStore::commit(DurableIni &store)
{
    if (store.commit())
        return true;
    warnNotSaved(store.path());
    return false;
}

void SettingsStore::warnNotSaved(const QString &path)
{
    if (dialogsAnswering)
        dialogsAnswering->warning(tr("Warning"),
                                  tr("Kairo could not save %1; the disk may be full.").arg(path));
}

bool SettingsStore::edited(DurableIni &store)
{
    return batchDepth > 0 || commit(store);
}

bool SettingsStore::saveChanges()
{
    bool ok = commit(*configStore);
    for (const auto &profile : profileStores)
        ok = commit(*profile) && ok;
    return commit(*nameListStore) && ok;
}

// Pending edits of that file are dropped: the copy replaces them.
bool SettingsStore::replaceStoreFile(DurableIni &store, const QString &sourcePath)
{
    if (!kairo::files::replaceWithCopy(sourcePath, store.path()))
        return false;
    store.reload();
    return true;
}

QVariant SettingsStore::getGlobalData(const QVariant &key)
{
    return config().value(keyText(key));
}

void SettingsStore::setGlobalData(const QVariant &key, const QVariant &tmpdata)
{
    config().setValue(keyText(key), tmpdata);
    edited(*configStore);
}

void SettingsStore::resetApconfig()
{
    if (!replaceStoreFile(*configStore, factoryConfigPath()))
        warnNotSaved(configPath());
}

QVariant SettingsStore::getData(const QVariant &key, bool isRecovery)
{
    QSettings &from = isRecovery ? *factoryStore : currentProfile();
    return from.value(keyText(key));
}

void SettingsStore::setData(const QVariant &key, const QVariant &data)
{
    currentProfile().setValue(keyText(key), data);
    edited(*profileStores[currentIndex]);
}

QVariantList SettingsStore::getDataList(const QVariant &key, bool isRecovery)
{
    return asList(getData(key, isRecovery));
}

void SettingsStore::setDataList(const QVariant &key, const QVariantList &datalist)
{
    currentProfile().setValue(keyText(key), datalist);
    edited(*profileStores[currentIndex]);
}

void SettingsStore::setCurrentProfile(int profile)
{
    if (isValidProfileIndex(profile))
        currentIndex = profile;
}

bool SettingsStore::replaceProfileFile(int profile, const QString &sourcePath)
{
    return replaceStoreFile(*profileStores[profile], sourcePath);
}

bool SettingsStore::loadProfile(int profile)
{
    if (!isValidProfileIndex(profile) || !dialogsAnswering)
        return false;
    const QString chosen = dialogsAnswering->openFileName(tr("Open File"), tr("Profile(*.pf)"));
    if (chosen.isEmpty())
        return false;
    return replaceProfileFile(profile, chosen);
}

void SettingsStore::saveProfile(int profile)
{
    if (!isValidProfileIndex(profile) || !dialogsAnswering)
        return;
    const QString chosen = dialogsAnswering->saveFileName(tr("Save File"), tr("Profile(*.pf)"));
    if (chosen.isEmpty())
        return;
    if (commit(*profileStores[profile]))
        kairo::files::replaceWithCopy(profilePath(profile), chosen);
}

void SettingsStore::resetProfile(int profile)
{
    if (isValidProfileIndex(profile) && !replaceProfileFile(profile, factoryProfilePath()))
        warnNotSaved(profilePath(profile));
}

void SettingsStore::copyProfile(int destprofile, int srcprofile)
{
    if (!isValidProfileIndex(destprofile) || !isValidProfileIndex(srcprofile)
        || destprofile == srcprofile)
        return;
    if (commit(*profileStores[srcprofile])
        && !replaceProfileFile(destprofile, profilePath(srcprofile)))
        warnNotSaved(profilePath(destprofile));
}

QVariant SettingsStore::getXYSensitive(const QVariant &index)
{
    return currentProfile().value(QStringLiteral("XYSensitive/") + keyText(index), 4);
}

void SettingsStore::setXYSensitive(const QVariant &index, const QVariant &xyData)
{
    currentProfile().setValue(QStringLiteral("XYSensitive/") + keyText(index), xyData);
    edited(*profileStores[currentIndex]);
}

QVariant SettingsStore::getselectGun(const QVariant &index)
{
    return currentProfile().value(QStringLiteral("selectGun/") + keyText(index), QString());
}

void SettingsStore::setSelectGun(const QVariant &index, const QVariant &xyData)
{
    currentProfile().setValue(QStringLiteral("selectGun/") + keyText(index), xyData);
    edited(*profileStores[currentIndex]);
}
