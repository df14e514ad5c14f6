// kairo-probe: finds the mouse named by the device table beside the program
// and reads its current DPI stage. Useful to owners of a real mouse to check
// that the interfaces are visible and answer.
#include "device/devicetable.h"
#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

#include <hidapi.h>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString hex4(quint16 value)
{
    return QString::asprintf("%04x", value);
}

void listInterfaces(const QList<DeviceEntry> &table)
{
    for (int i = 0; i < table.size(); ++i) {
        const DeviceEntry &entry = table.at(i);
        out() << "Entry " << i << ": vid " << hex4(entry.vid) << " pid " << hex4(entry.pid)
              << ", command interface " << hex4(entry.usagePage) << "/" << hex4(entry.usage)
              << ", notification interface " << hex4(entry.usagePage2) << "/" << hex4(entry.usage2)
              << Qt::endl;
        hid_device_info *found = hid_enumerate(entry.vid, entry.pid);
        int count = 0;
        for (hid_device_info *info = found; info; info = info->next) {
            QString role;
            if (info->usage_page == entry.usagePage && info->usage == entry.usage)
                role = QStringLiteral(" (command)");
            else if (info->usage_page == entry.usagePage2 && info->usage == entry.usage2)
                role = QStringLiteral(" (notification)");
            out() << "  HID interface: vid " << hex4(info->vendor_id) << " pid "
                  << hex4(info->product_id) << " usage page " << hex4(info->usage_page) << " usage "
                  << hex4(info->usage) << " path "
                  << QString::fromLocal8Bit(info->path ? info->path : "") << role << Qt::endl;
            ++count;
        }
        hid_free_enumeration(found);
        if (count == 0)
            out() << "  no HID interface with this vid and pid" << Qt::endl;
    }
}

int firstConnected(const QList<DeviceEntry> &table)
{
    for (int i = 0; i < table.size(); ++i)
        if (!table.at(i).path.isEmpty())
            return i;
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString configPath = QDir(QCoreApplication::applicationDirPath())
                                   .filePath(QStringLiteral("modules/setting/apConfig.bin"));
    out() << "Device table: " << configPath << Qt::endl;
    if (!QFileInfo::exists(configPath)) {
        out() << "Configuration file not found" << Qt::endl;
        return 2;
    }
    QSettings config(configPath, QSettings::IniFormat);
    QList<DeviceEntry> table = readDeviceTable(config);
    const QString icType = config.value(QStringLiteral("mouse/icType")).toString();
    const Family family = familyOf(icType);
    out() << "Entries: " << table.size() << ", firmware family "
          << (family == Family::Second ? "560" : "553") << Qt::endl;

    hid_init();
    listInterfaces(table);
    findDevicePaths(table);
    const int index = firstConnected(table);
    if (index < 0) {
        out() << "No mouse found" << Qt::endl;
        hid_exit();
        return 1;
    }

    int status = 0;
    {
        Hid_Thread hid;
        hid.setModelFlags(false, icType);
        hid.setDeviceTable(table);
        hid.setCurrentDevice(index);
        out() << "Mouse found: entry " << index << ", command path " << table.at(index).path
              << ", notification path "
              << (table.at(index).path2.isEmpty() ? QStringLiteral("(none)")
                                                  : table.at(index).path2)
              << Qt::endl;
        // The second family answers for the profile named in byte1, with the
        // stage in byte2.
        uchar stage = 0;
        bool replied = false;
        if (family == Family::Second) {
            uchar profile = 1;
            replied = hid.hid560_84H_GetCurrentDPI(profile, stage);
        } else {
            replied = hid.hid553_8BH_GetCurrentDPI(stage);
        }
        if (replied) {
            out() << "Current DPI stage: " << stage << Qt::endl;
        } else {
            out() << "The mouse did not answer the DPI stage query" << Qt::endl;
            status = 3;
        }
    }
    hid_exit();
    return status;
}
