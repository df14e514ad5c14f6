#pragma once

// The host's table of gun recoil records, <modules>/gun/gunData.bin. The file
// is never created here: without it every call is a no-op.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class DurableIni;
class SettingsStore;

class GunTable
{
public:
    explicit GunTable(SettingsStore &store);
    explicit GunTable(const QString &gunDataPath);

    // Each is true when the table now holds what was asked; a failed write
    // has warned the person by then.
    bool mouseSaveGundata(const QVariant &index, const QVariantList &src6);
    bool modifyGundata(int modifyType, const QVariantList &src6);
    QVariantList getGunData(const QVariant &name);
    QStringList getGunDataKey();

private:
    // Commits file, telling the user (through the store) when it failed.
    bool committed(DurableIni &file);

    QString path;
    SettingsStore *store = nullptr;
};
