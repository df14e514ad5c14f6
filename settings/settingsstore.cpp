#include "settings/settingsstore.h"

#include "settings/dialogtexts.h"
#include "settings/disktexts.h"
#include "settings/durableini.h"
#include "settings/profilefile.h"
#include "settings/settingsdialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <unistd.h>

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

// A save killed between writing its temporary file and the rename leaves
// <file>.XXXXXX beside the file (where the file system has no unnamed
// temporary files). Only those of our own settings files go.
void removeLeftTemporaries(const QString &folder, const QRegularExpression &ours)
{
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (!entry.isSymLink() && entry.ownerId() == ::geteuid()
            && ours.match(entry.fileName()).hasMatch())
            QFile::remove(entry.filePath());
    }
}

// The groups the program keeps in a profile, and of those the ones every
// profile holds when the factory profile cannot tell.
const QSet<QString> &profileGroups()
{
    static const QSet<QString> groups = {
        QStringLiteral("XYSensitive"),      QStringLiteral("mouse"),
        QStringLiteral("mouseFwKeyMatrix"), QStringLiteral("mouseKeyMatrix"),
        QStringLiteral("mouseKeyMatrix2"),  QStringLiteral("mouseLight"),
        QStringLiteral("selectGun"),        QStringLiteral("mouseMacroKey"),
        QStringLiteral("mouseMacroKey2")};
    return groups;
}

// The groups of an INI text, or nothing when any line is neither a group, a
// key with its value, a comment nor blank.
QSet<QString> iniGroups(const QByteArray &bytes)
{
    QSet<QString> groups;
    QString group;
    for (const QByteArray &rawLine : bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            group = QString::fromUtf8(line.mid(1, line.size() - 2));
            continue;
        }
        if (group.isEmpty() || line.indexOf('=') <= 0)
            return {};
        groups.insert(group);
    }
    return groups;
}

} // namespace

SettingsStore::SettingsStore(const QString &modulesDir, SettingsDialogs *dialogs)
    : modulesRoot(modulesDir)
    , dialogsAnswering(dialogs)
{
    removeLeftTemporaries(settingDir(),
                          QRegularExpression(QStringLiteral(
                              "^(apConfig|apConfigD|pD|p[1-9]|p10|name)\\.bin\\.[A-Za-z0-9]{6}$")));
    removeLeftTemporaries(QFileInfo(gunDataPath()).absolutePath(),
                          QRegularExpression(QStringLiteral("^gunData\\.bin\\.[A-Za-z0-9]{6}$")));
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
    warnNotSaved(store.path(), store.readHasFailed());
    return false;
}

void SettingsStore::warnNotSaved(const QString &path, bool readFailed)
{
    using kairo::disk::Text;
    kairo::disk::warn(*this, Text::NotSavedTitle, readFailed ? Text::NotRead : Text::NotSaved,
                      path);
}

void SettingsStore::warnNotImported(kairo::disk::Text why, const QString &chosen)
{
    kairo::disk::warn(*this, kairo::disk::Text::NotImportedTitle, why, chosen);
}

bool SettingsStore::isProfileText(const QByteArray &bytes)
{
    const QSet<QString> groups = iniGroups(bytes);
    QStringList required = factoryProfile().childGroups();
    if (required.isEmpty())
        required = {QStringLiteral("mouse")};
    for (const QString &group : groups) {
        if (!profileGroups().contains(group) && !required.contains(group))
            return false;
    }
    for (const QString &group : required) {
        if (!groups.contains(group))
            return false;
    }
    return true;
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
    const QString chosen = dialogsAnswering->openFileName(
        kairo::files::caption(*this, kairo::files::Caption::OpenFile),
        kairo::files::caption(*this, kairo::files::Caption::ProfileFilter));
    if (chosen.isEmpty())
        return false;
    using kairo::disk::Text;
    QByteArray bytes;
    const kairo::files::ImportRead read = kairo::files::readImport(chosen, &bytes);
    if (read != kairo::files::ImportRead::Read) {
        warnNotImported(read == kairo::files::ImportRead::NotAFile ? Text::NotAFile
                                                                   : Text::NotImported,
                        chosen);
        return false;
    }
    if (!isProfileText(bytes)) {
        warnNotImported(Text::NotAProfile, chosen);
        return false;
    }
    if (!kairo::files::writeWhole(profilePath(profile), bytes)) {
        warnNotSaved(profilePath(profile));
        return false;
    }
    profileStores[profile]->reload();
    return true;
}

void SettingsStore::saveProfile(int profile)
{
    if (!isValidProfileIndex(profile) || !dialogsAnswering)
        return;
    const QString chosen = dialogsAnswering->saveFileName(
        kairo::files::caption(*this, kairo::files::Caption::SaveFile),
        kairo::files::caption(*this, kairo::files::Caption::ProfileFilter));
    if (chosen.isEmpty())
        return;
    if (commit(*profileStores[profile])
        && !kairo::files::replaceWithCopy(profilePath(profile), chosen))
        warnNotSaved(chosen);
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
