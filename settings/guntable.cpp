#include "settings/guntable.h"

#include "settings/durableini.h"
#include "settings/namelists.h"
#include "settings/settingsstore.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString gunGroup = QStringLiteral("gunData");

QString gunKey(const QString &name)
{
    return gunGroup + QLatin1Char('/') + name;
}

// Values the caller did not pass count as empty text.
QString field(const QVariantList &record, int position)
{
    return position < record.size() ? record[position].toString() : QString();
}

// A name the table could not list again: "/" or "\" would store it as a
// sub-key ("/" alone is the whole section), an unpaired surrogate under
// another spelling. An empty name means "none" to the callers.
bool isUnlistable(const QString &name)
{
    return !name.isEmpty() && kairo::names::isUnfitName(name);
}

} // namespace

GunTable::GunTable(SettingsStore &store)
    : path(store.gunDataPath())
    , store(&store)
{}

GunTable::GunTable(const QString &gunDataPath)
    : path(gunDataPath)
{}

bool GunTable::mouseSaveGundata(const QVariant &index, const QVariantList &src6)
{
    const QString name = index.toString();
    if (!QFileInfo(path).isFile() || name.isEmpty() || isUnlistable(name))
        return false;
    QVariantList record;
    for (int i = 0; i < 6; ++i)
        record.append(i < src6.size() ? src6[i] : QVariant(QString()));
    DurableIni file(path);
    QSettings &guns = file.settings();
    guns.setValue(gunKey(name), record);
    return committed(file);
}

bool GunTable::committed(DurableIni &file)
{
    if (file.commit())
        return true;
    if (store)
        store->warnNotSaved(path, file.readHasFailed());
    return false;
}

bool GunTable::modifyGundata(int modifyType, const QVariantList &src6)
{
    if (!QFileInfo(path).isFile() || (modifyType != 0 && modifyType != 1))
        return false;
    if (isUnlistable(field(src6, 0)) || isUnlistable(field(src6, 6)))
        return false;
    DurableIni file(path);
    QSettings &guns = file.settings();
    // An empty name would address the whole section, so it is never used.
    const QString name = field(src6, 0);
    if (modifyType == 0) {
        if (!name.isEmpty())
            guns.remove(gunKey(name));
    } else {
        const QString oldName = field(src6, 6);
        if (!oldName.isEmpty())
            guns.remove(gunKey(oldName));
        if (!name.isEmpty()) {
            QStringList record;
            for (int i = 1; i <= 5; ++i)
                record.append(field(src6, i));
            guns.setValue(gunKey(name), record);
        }
    }
    return committed(file);
}

QVariantList GunTable::getGunData(const QVariant &name)
{
    const QString key = name.toString();
    if (!QFileInfo(path).isFile() || key.isEmpty())
        return {};
    DurableIni file(path);
    QSettings &guns = file.settings();
    const QVariant value = guns.value(gunKey(key));
    if (!value.isValid())
        return {};
    QVariantList record;
    for (const QString &item : value.toStringList())
        record.append(item);
    return record;
}

QStringList GunTable::getGunDataKey()
{
    if (!QFileInfo(path).isFile())
        return {};
    DurableIni file(path);
    QSettings &guns = file.settings();
    guns.beginGroup(gunGroup);
    return guns.childKeys();
}
