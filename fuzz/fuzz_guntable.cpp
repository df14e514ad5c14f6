// gunData.bin: the gun editor lists the names of the table, then reads the
// record of each name it listed.
#include "fuzz/fuzzsupport.h"

#include "settings/guntable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kairo::fuzz::ScratchFolder folder;
    GunTable guns(folder.write(QStringLiteral("gun/gunData.bin"), data, size));
    const QStringList names = guns.getGunDataKey();
    for (qsizetype i = 0; i < names.size() && i < 64; ++i)
        guns.getGunData(names.at(i));
    guns.getGunData(QString());
    guns.getGunData(QStringLiteral("M416"));
    return 0;
}
