// The device table the program reads from apConfig.bin at start: the report
// length of a row sizes every exchange buffer, so a row read wrongly is a
// buffer sized wrongly.
#include "fuzz/fuzzsupport.h"

#include "device/devicetable.h"

#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kairo::fuzz::ScratchFolder folder;
    QSettings config(folder.write(QStringLiteral("apConfig.bin"), data, size),
                     QSettings::IniFormat);
    const QList<DeviceEntry> table = readDeviceTable(config);
    if (table.size() > kMaxDeviceRows)
        kairo::fuzz::finding("device table longer than kMaxDeviceRows");
    for (const DeviceEntry &entry : table) {
        if (entry.reportLength < 1 || entry.reportLength > kMaxReportLength)
            kairo::fuzz::finding("device table row with a report length out of range");
        if (!entry.path.isEmpty() || !entry.path2.isEmpty())
            kairo::fuzz::finding("device table row with a path before enumeration");
    }
    return 0;
}
