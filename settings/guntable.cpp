#include "guntable.h"

#include "settingsstore.h"

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

} // namespace

GunTable::GunTable(SettingsStore &store) : path(store.gunDataPath()) {}

GunTable::GunTable(const QString &gunDataPath) : path(gunDataPath) {}

void GunTable::mouseSaveGundata(const QVariant &index, const QVariantList &src6)
{
    const QString name = index.toString();
    if (!QFileInfo(path).isFile() || name.isEmpty())
        return;
    QVariantList record;
    for (int i = 0; i < 6; ++i)
        record.append(i < src6.size() ? src6[i] : QVariant(QString()));
    QSettings guns(path, QSettings::IniFormat);
    guns.setValue(gunKey(name), record);
    guns.sync();
}

void GunTable::modifyGundata(int modifyType, const QVariantList &src6)
{
    if (!QFileInfo(path).isFile() || (modifyType != 0 && modifyType != 1))
        return;
    QSettings guns(path, QSettings::IniFormat);
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
    guns.sync();
}

QVariantList GunTable::getGunData(const QVariant &name)
{
    const QString key = name.toString();
    if (!QFileInfo(path).isFile() || key.isEmpty())
        return {};
    QSettings guns(path, QSettings::IniFormat);
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
    QSettings guns(path, QSettings::IniFormat);
    guns.beginGroup(gunGroup);
    return guns.childKeys();
}
