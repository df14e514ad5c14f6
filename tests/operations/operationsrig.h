#pragma once

// A settings folder, a device link and the operations, wired to the virtual
// mouse the way the program wires them to a real one.

#include "deviceoperations.h"

#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "device/hidclock.h"
#include "settings/settingsstore.h"
#include "sim/virtualmouse.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace rig {

class RecordingClock : public HidClock
{
public:
    void sleepMs(int ms) override { sleeps << ms; }
    QList<int> sleeps;
};

struct Model {
    QString family = "553";
    bool isEncode = false;
    bool isGun = false;
    bool isColorful = false;
    bool is55328 = false;
};

class Rig
{
public:
    explicit Rig(const Model &model, std::shared_ptr<PointerSettings> pointer = nullptr)
        : model(model)
    {
        writeModules();
        kairo::sim::DeviceConfig device;
        device.family = model.family;
        device.isEncode = model.isEncode;
        device.sCode = sCode;
        kairo::sim::reset({device});

        store = std::make_unique<SettingsStore>(dir.path());
        hid.setClock(&clock);
        hid.setModelFlags(store->isGun(), store->icType());
        QList<DeviceEntry> table = readDeviceTable(store->config());
        findDevicePaths(table);
        hid.setDeviceTable(table);
        hid.setCurrentDevice(0);

        operations = std::make_unique<DeviceOperations>(*store, std::move(pointer));
        operations->attachHid(&hid);
        kairo::sim::clearWireLog();
    }

    kairo::sim::FirmwareState state() const { return kairo::sim::state(0); }
    void setState(const kairo::sim::FirmwareState &s) { kairo::sim::setState(0, s); }

    // The command reports the firmware received, decoded, in order.
    QList<QByteArray> commands() const
    {
        QList<QByteArray> result;
        for (const auto &record : kairo::sim::wireLog()) {
            if (record.direction == kairo::sim::Direction::FeatureOut)
                result << record.plain;
        }
        return result;
    }

    // Opcode and P1 of every command report, e.g. "12:1".
    QStringList commandSummary() const
    {
        QStringList summary;
        for (const QByteArray &report : commands())
            summary << QString("%1:%2").arg(uchar(report[1]), 2, 16, QChar('0')).arg(uchar(report[2]));
        return summary;
    }

    const QString sCode = QStringLiteral("k7Q2m9");
    Model model;
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    RecordingClock clock;
    Hid_Thread hid;
    std::unique_ptr<DeviceOperations> operations;

private:
    void writeModules()
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
    }
};

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QVariantList list(std::initializer_list<int> values)
{
    QVariantList result;
    for (int v : values)
        result << v;
    return result;
}

// Every device test runs on both families, scrambled and plain.
inline void addFamilyRows()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("isEncode");
    QTest::newRow("553 plain") << "553" << false;
    QTest::newRow("553 encoded") << "553" << true;
    QTest::newRow("560 plain") << "560" << false;
    QTest::newRow("560 encoded") << "560" << true;
}

inline bool secondFamilyRun()
{
    QFETCH_GLOBAL(QString, family);
    return family == "560";
}

// The model of the current run, with the given flags.
inline Model model(bool isGun = false, bool isColorful = false, bool is55328 = false)
{
    QFETCH_GLOBAL(QString, family);
    QFETCH_GLOBAL(bool, isEncode);
    Model m;
    m.family = family;
    m.isEncode = isEncode;
    m.isGun = isGun;
    m.isColorful = isColorful;
    m.is55328 = is55328;
    return m;
}

} // namespace rig
