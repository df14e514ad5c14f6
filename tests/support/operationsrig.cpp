#include "tests/support/operationsrig.h"

#include "device/devicetable.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace rig {

Rig::Rig(const Model &model, std::shared_ptr<PointerSettings> pointer)
    : model(model)
    , store(writeModulesAndOpenStore())
    , link({device()}, readDeviceTable(store->config()))
{
    link.hid.setModelFlags(store->isGun(), store->icType());
    operations = std::make_unique<DeviceOperations>(*store, std::move(pointer));
    operations->attachHid(&link.hid);
    // As the program connects: the images come from the mouse first.
    if (model.family == QLatin1String("560"))
        operations->profiles.readDeviceProfiles(model.isGun ? 5 : 2);
    kairo::sim::clearWireLog();
}

kairo::sim::DeviceConfig Rig::device() const
{
    kairo::sim::DeviceConfig device;
    device.family = model.family;
    device.isEncode = model.isEncode;
    device.sCode = sCode;
    return device;
}

QList<QByteArray> Rig::commands() const
{
    QList<QByteArray> result;
    for (const auto &record : kairo::sim::wireLog()) {
        if (record.direction == kairo::sim::Direction::FeatureOut)
            result << record.plain;
    }
    return result;
}

QStringList Rig::commandSummary() const
{
    QStringList summary;
    for (const QByteArray &report : commands())
        summary << QString("%1:%2").arg(uchar(report[1]), 2, 16, QChar('0')).arg(uchar(report[2]));
    return summary;
}

std::unique_ptr<SettingsStore> Rig::writeModulesAndOpenStore()
{
    const QString settingDir = dir.filePath("setting");
    QDir().mkpath(settingDir);
    const QDir shipped(QStringLiteral(KAIRO_SOURCE_DIR "/modules/setting"));
    for (const QString &name : shipped.entryList({"p*.bin"}, QDir::Files))
        QFile::copy(shipped.filePath(name), settingDir + "/" + name);
    QSettings config(settingDir + "/apConfig.bin", QSettings::IniFormat);
    config.setValue("common/deviceCount", 1);
    config.setValue("0/type", "1");
    config.setValue("0/vid", "04d9");
    config.setValue("0/pid", "a09f");
    config.setValue("0/usagePage", "ff00");
    config.setValue("0/usage", "ff00");
    config.setValue("0/usagePage2", "ff01");
    config.setValue("0/usage2", "ff01");
    config.setValue("0/reportLength", 32);
    config.setValue("0/isEncode", model.isEncode);
    config.setValue("0/sCode", sCode);
    config.setValue("mouse/icType", model.family);
    config.setValue("mouse/isGun", model.isGun);
    config.setValue("mouse/isColorful", model.isColorful);
    config.setValue("mouse/is55328", model.is55328);
    config.sync();
    return std::make_unique<SettingsStore>(dir.path());
}

} // namespace rig
