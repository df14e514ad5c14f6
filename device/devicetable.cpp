#include "device/devicetable.h"

#include "device/debugline.h"

#include <QSettings>

#include <optional>

#include <hidapi.h>

namespace {

quint16 hexField(QSettings &config, const QString &key)
{
    bool ok = false;
    const uint value = config.value(key, QStringLiteral("0")).toString().trimmed().toUInt(&ok, 16);
    return ok && value <= 0xFFFF ? quint16(value) : quint16(0);
}

// The report length sizes every exchange buffer. A row naming one that no
// full-speed interface has is left out rather than clamped: a guessed size
// would cut every block sent to the mouse at the wrong places, where a
// missing row only leaves that mouse unfound.
std::optional<int> reportLengthOf(QSettings &config, const QString &key)
{
    const QVariant value = config.value(key);
    if (!value.isValid())
        return DeviceEntry().reportLength;
    bool ok = false;
    const int length = value.toString().trimmed().toInt(&ok);
    if (!ok || length < 1 || length > kMaxReportLength) {
        hidDebugLine({QStringLiteral("Device table skips"), key, value.toString()});
        return std::nullopt;
    }
    return length;
}

std::optional<DeviceEntry> readEntry(QSettings &config, int index)
{
    const QString prefix = QString::number(index);
    DeviceEntry entry;
    const QString typeKey = prefix + QStringLiteral("/type");
    if (config.contains(typeKey)) {
        bool ok = false;
        entry.type = config.value(typeKey).toString().trimmed().toInt(&ok, 16);
        if (!ok)
            entry.type = 0;
    }
    entry.vid = hexField(config, prefix + QStringLiteral("/vid"));
    entry.pid = hexField(config, prefix + QStringLiteral("/pid"));
    entry.usagePage = hexField(config, prefix + QStringLiteral("/usagePage"));
    entry.usage = hexField(config, prefix + QStringLiteral("/usage"));
    entry.usagePage2 = hexField(config, prefix + QStringLiteral("/usagePage2"));
    entry.usage2 = hexField(config, prefix + QStringLiteral("/usage2"));
    const std::optional<int> reportLength =
        reportLengthOf(config, prefix + QStringLiteral("/reportLength"));
    if (!reportLength)
        return std::nullopt;
    entry.reportLength = *reportLength;
    entry.isEncode = config.value(prefix + QStringLiteral("/isEncode"), false).toBool();
    entry.sCode =
        config.value(prefix + QStringLiteral("/sCode"), QStringLiteral("424242")).toString();
    return entry;
}

} // namespace

QList<DeviceEntry> readDeviceTable(QSettings &config)
{
    QList<DeviceEntry> table;
    const int count =
        qMin(config.value(QStringLiteral("common/deviceCount"), 0).toInt(), kMaxDeviceRows);
    for (int i = 0; i < count; ++i) {
        if (const std::optional<DeviceEntry> entry = readEntry(config, i))
            table.append(*entry);
    }
    return table;
}

void findDevicePaths(DeviceEntry &entry)
{
    entry.path.clear();
    entry.path2.clear();
    hid_device_info *found = hid_enumerate(entry.vid, entry.pid);
    for (hid_device_info *info = found; info; info = info->next) {
        const QString path = QString::fromLocal8Bit(info->path ? info->path : "");
        if (info->usage_page == entry.usagePage && info->usage == entry.usage)
            entry.path = path;
        if (info->usage_page == entry.usagePage2 && info->usage == entry.usage2)
            entry.path2 = path;
    }
    hid_free_enumeration(found);
}

void findDevicePaths(QList<DeviceEntry> &table)
{
    for (DeviceEntry &entry : table)
        findDevicePaths(entry);
}
