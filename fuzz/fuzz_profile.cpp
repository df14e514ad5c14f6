// A host profile as the program reads it: the keys the pages and the device
// operations ask for, from the current and the factory profile, turned into
// the blocks sent to the mouse; then the same bytes imported through the
// profile dialog, which takes them only when they are shaped like a profile
// and must then read exactly as the file did in place.
#include "fuzz/fuzzsupport.h"

#include "operations/dpiencoding.h"
#include "operations/keyrecords.h"
#include "operations/lighting.h"
#include "settings/settingsdialogs.h"
#include "settings/settingsstore.h"

#include <QFile>
#include <QStringList>

namespace {

// Answers the open dialog with one file, every other question with "cancel".
class ImportDialogs : public SettingsDialogs
{
public:
    explicit ImportDialogs(const QString &file)
        : file(file)
    {}
    QString openFileName(const QString &, const QString &) override { return file; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    QString existingDirectory(const QString &) override { return {}; }
    void warning(const QString &, const QString &) override {}
    QString desktopDirectory() const override { return {}; }

private:
    QString file;
};

QStringList keysRead()
{
    QStringList keys = {
        QStringLiteral("mouse/mouseMode"),       QStringLiteral("mouse/dpiCount"),
        QStringLiteral("mouse/currentDpiCount"), QStringLiteral("mouse/reportRate"),
        QStringLiteral("mouse/mouseRate"),       QStringLiteral("mouse/doubleRate"),
        QStringLiteral("mouse/scrollRate"),      QStringLiteral("mouse/lod"),
        QStringLiteral("mouse/lodEn"),           QStringLiteral("mouse/dpiValueArray"),
        QStringLiteral("mouse/dpiEnableArray"),  QStringLiteral("mouse/dpiColorArray"),
        QStringLiteral("mouseLight/lightCount"), QStringLiteral("mouseLight/lightNo"),
        QStringLiteral("mouseLight/lightName"),
    };
    for (int type = 0; type < 3; ++type)
        keys << QStringLiteral("mouse/dpiColorType%1").arg(type);
    for (int button = 0; button < KeyRecords::buttonCount; ++button) {
        for (const char *group : {"mouseFwKeyMatrix/", "mouseKeyMatrix/", "mouseKeyMatrix2/",
                                  "mouseMacroKey/", "mouseMacroKey2/"})
            keys << QLatin1String(group) + QString::number(button);
    }
    for (int preset = 0; preset < 9; ++preset) {
        const QString suffix = preset > 0 ? QString::number(preset) : QString();
        for (const char *base : {"colorIndex", "lightValue", "colorValue"})
            keys << QStringLiteral("mouseLight/") + QLatin1String(base) + suffix;
    }
    return keys;
}

// Values as comparable text: a type without an equality operator would
// compare unequal to itself.
QString rendered(const QVariant &value)
{
    return QString::number(value.typeId()) + QLatin1Char(':') + value.toString() + QLatin1Char('|')
           + value.toStringList().join(QLatin1Char('|'));
}

QList<QVariantList> records(SettingsStore &store, const char *group, bool isRecovery)
{
    QList<QVariantList> result;
    for (int button = 0; button < KeyRecords::buttonCount; ++button)
        result << store.getDataList(QLatin1String(group) + QString::number(button), isRecovery);
    return result;
}

// What the device operations make of the profile.
void buildDeviceBlocks(SettingsStore &store, bool isRecovery)
{
    const KeyMatrix fwDefault =
        KeyRecords::matrixFromRecords(records(store, "mouseFwKeyMatrix/", isRecovery));
    QVariantList flat;
    for (const QVariantList &record : records(store, "mouseKeyMatrix/", isRecovery))
        flat += record.mid(0, 4);
    for (Family family : {Family::First, Family::Second}) {
        const KeyMatrix m1 = KeyRecords::firmwareMatrix(flat, family);
        KeyRecords::buildGunMatrices(
            m1, fwDefault, store.getDataList(QStringLiteral("selectGun/0"), isRecovery), family);
    }

    const QVariantList dpiValues =
        store.getDataList(QStringLiteral("mouse/dpiValueArray"), isRecovery);
    for (const char *sensor : {"3360", "3050", "3389", "3320", "3305", "5050", "4090"}) {
        DpiEncoding::StageCodes stages =
            DpiEncoding::encodeStages(QLatin1String(sensor), dpiValues);
        DpiEncoding::applyStageEnables(
            stages, int(dpiValues.size()),
            store.getDataList(QStringLiteral("mouse/dpiEnableArray"), isRecovery));
    }
    DpiEncoding::stageEnableMask(
        store.getData(QStringLiteral("mouse/dpiCount"), isRecovery).toInt());

    for (int type = 0; type < 3; ++type) {
        Lighting::StageColours colours = Lighting::stageColours(
            store.getDataList(QStringLiteral("mouse/dpiColorType%1").arg(type), isRecovery));
        Lighting::packNibbles(colours);
        Lighting::hasLastStageColour(colours);
    }
    const QVariantList light =
        store.getDataList(QStringLiteral("mouseLight/lightValue"), isRecovery);
    Lighting::attributeBlock(
        byteAt(light, 0), byteAt(light, 1), byteAt(light, 2), byteAt(light, 3),
        store.getDataList(QStringLiteral("mouseLight/colorValue"), isRecovery));
}

QStringList readProfile(SettingsStore &store, bool isRecovery)
{
    QStringList values;
    for (const QString &key : keysRead()) {
        values << rendered(store.getData(key, isRecovery));
        for (const QVariant &item : store.getDataList(key, isRecovery))
            values << rendered(item);
    }
    if (!isRecovery) {
        for (int i = 0; i < 2; ++i)
            values << rendered(store.getXYSensitive(i)) << rendered(store.getselectGun(i));
    }
    buildDeviceBlocks(store, isRecovery);
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kairo::fuzz::ScratchFolder folder;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    folder.write(QStringLiteral("modules/setting/p1.bin"), bytes);
    folder.write(QStringLiteral("modules/setting/pD.bin"), bytes);
    ImportDialogs dialogs(folder.write(QStringLiteral("import.pf"), bytes));
    SettingsStore store(folder.path() + QStringLiteral("/modules"), &dialogs);

    const QStringList inPlace = readProfile(store, false);
    readProfile(store, true);

    // Only a file shaped like a profile is taken; a refused one leaves
    // profile 1 as it was on disk.
    const QString first = folder.path() + QStringLiteral("/modules/setting/p1.bin");
    if (!store.loadProfile(1)) {
        QFile file(first);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes)
            kairo::fuzz::finding("a refused import changed the profile");
        return 0;
    }
    store.setCurrentProfile(1);
    if (readProfile(store, false) != inPlace)
        kairo::fuzz::finding("an imported profile reads otherwise than the same file in place");
    return 0;
}
