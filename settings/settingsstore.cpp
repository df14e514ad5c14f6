#include "settingsstore.h"

#include "profilefile.h"
#include "settingsdialogs.h"

#include <QCoreApplication>
#include <QDateTime>
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

// Makes the store's file a copy of source and has the store read it. QSettings
// re-reads a file only when its size or modification time differs from what it
// saw last; a copy of the same size made within the file system's time
// resolution of the last write would go unnoticed, so such a copy is dated
// back until it differs.
bool replaceStoreFile(QSettings &store, const QString &source)
{
    store.sync();
    const QString path = store.fileName();
    const QFileInfo before(path);
    const bool existed = before.exists();
    const qint64 oldSize = before.size();
    const QDateTime oldTime = before.lastModified();
    if (!kairo::files::replaceWithCopy(source, path))
        return false;
    const QFileInfo after(path);
    if (existed && after.size() == oldSize && after.lastModified() == oldTime) {
        QFile copy(path);
        if (copy.open(QIODevice::ReadOnly))
            copy.setFileTime(oldTime.addSecs(-2), QFileDevice::FileModificationTime);
    }
    store.sync();   // nothing pending, so this re-reads the new file
    return true;
}

} // namespace

SettingsStore::SettingsStore(const QString &modulesDir, SettingsDialogs *dialogs)
    : modulesRoot(modulesDir), dialogsAnswering(dialogs)
{
    configStore = std::make_unique<QSettings>(configPath(), QSettings::IniFormat);
    factoryStore = std::make_unique<QSettings>(factoryProfilePath(), QSettings::IniFormat);
    for (int i = 0; i < profileCount; ++i)
        profileStores.push_back(std::make_unique<QSettings>(profilePath(i), QSettings::IniFormat));
    readModelFlags();
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::setDialogs(SettingsDialogs *dialogs)
{
    dialogsAnswering = dialogs;
}

QString SettingsStore::settingDir() const { return modulesRoot + QStringLiteral("/setting"); }
QString SettingsStore::configPath() const { return settingDir() + QStringLiteral("/apConfig.bin"); }
QString SettingsStore::factoryConfigPath() const { return settingDir() + QStringLiteral("/apConfigD.bin"); }
QString SettingsStore::factoryProfilePath() const { return settingDir() + QStringLiteral("/pD.bin"); }
QString SettingsStore::nameListPath() const { return settingDir() + QStringLiteral("/name.bin"); }
QString SettingsStore::macroDir() const { return modulesRoot + QStringLiteral("/macro"); }
QString SettingsStore::gunDataPath() const { return modulesRoot + QStringLiteral("/gun/gunData.bin"); }
QString SettingsStore::languageDir() const { return modulesRoot + QStringLiteral("/i18n"); }

QString SettingsStore::profilePath(int i) const
{
    return settingDir() + QStringLiteral("/p%1.bin").arg(i + 1);
}

void SettingsStore::readModelFlags()
{
    cachedIsColorful = configStore->value(QStringLiteral("mouse/isColorful")).toBool();
    cachedIsGun = configStore->value(QStringLiteral("mouse/isGun")).toBool();
    cachedIcType = configStore->value(QStringLiteral("mouse/icType")).toString();
    cachedIs55328 = configStore->value(QStringLiteral("mouse/is55328")).toBool();
}

QSettings &SettingsStore::config() { return *configStore; }
QSettings &SettingsStore::factoryProfile() { return *factoryStore; }
QSettings &SettingsStore::currentProfile() { return *profileStores[currentIndex]; }

QSettings &SettingsStore::profile(int i)
{
    return isValidProfileIndex(i) ? *profileStores[i] : currentProfile();
}

QVariant SettingsStore::getGlobalData(const QVariant &key)
{
    return configStore->value(keyText(key));
}

void SettingsStore::setGlobalData(const QVariant &key, const QVariant &tmpdata)
{
    configStore->setValue(keyText(key), tmpdata);
    configStore->sync();
}

void SettingsStore::resetApconfig()
{
    replaceStoreFile(*configStore, factoryConfigPath());
}

QVariant SettingsStore::getData(const QVariant &key, bool isRecovery)
{
    QSettings &from = isRecovery ? *factoryStore : currentProfile();
    return from.value(keyText(key));
}

void SettingsStore::setData(const QVariant &key, const QVariant &data)
{
    currentProfile().setValue(keyText(key), data);
    currentProfile().sync();
}

QVariantList SettingsStore::getDataList(const QVariant &key, bool isRecovery)
{
    return asList(getData(key, isRecovery));
}

void SettingsStore::setDataList(const QVariant &key, const QVariantList &datalist)
{
    currentProfile().setValue(keyText(key), datalist);
    currentProfile().sync();
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
    profileStores[profile]->sync();
    kairo::files::replaceWithCopy(profilePath(profile), chosen);
}

void SettingsStore::resetProfile(int profile)
{
    if (isValidProfileIndex(profile))
        replaceProfileFile(profile, factoryProfilePath());
}

void SettingsStore::copyProfile(int destprofile, int srcprofile)
{
    if (!isValidProfileIndex(destprofile) || !isValidProfileIndex(srcprofile)
        || destprofile == srcprofile)
        return;
    profileStores[srcprofile]->sync();
    replaceProfileFile(destprofile, profilePath(srcprofile));
}

QVariant SettingsStore::getXYSensitive(const QVariant &index)
{
    return currentProfile().value(QStringLiteral("XYSensitive/") + keyText(index), 4);
}

void SettingsStore::setXYSensitive(const QVariant &index, const QVariant &xyData)
{
    currentProfile().setValue(QStringLiteral("XYSensitive/") + keyText(index), xyData);
    currentProfile().sync();
}

QVariant SettingsStore::getselectGun(const QVariant &index)
{
    return currentProfile().value(QStringLiteral("selectGun/") + keyText(index), QString());
}

void SettingsStore::setSelectGun(const QVariant &index, const QVariant &xyData)
{
    currentProfile().setValue(QStringLiteral("selectGun/") + keyText(index), xyData);
    currentProfile().sync();
}
