#pragma once
// Minimal program-side client for the simulator tests: builds command reports
// and talks to the virtual mouse only through the hidapi functions.
#include "sim/virtualmouse.h"

#include <hidapi.h>

#include <QByteArray>
#include <QString>

namespace simtest {

inline hid_device *openInterface(int device, const char *interface)
{
    const QByteArray path = QStringLiteral("virtual:%1:%2").arg(device).arg(interface).toUtf8();
    return hid_open_path(path.constData());
}

inline QByteArray commandReport(std::initializer_list<int> opcodeAndParams)
{
    QByteArray report(9, 0);
    int at = 1;
    for (int v : opcodeAndParams)
        report[at++] = char(v);
    report[8] =
        char(kairo::sim::wire::checksum(reinterpret_cast<const quint8 *>(report.constData()) + 1));
    return report;
}

inline QByteArray scrambledReport(QByteArray report, const QString &sCode)
{
    const auto code = kairo::sim::wire::secrecyCode(sCode);
    kairo::sim::wire::scramble(reinterpret_cast<quint8 *>(report.data()) + 1, code.data());
    return report;
}

inline QByteArray descrambledReport(QByteArray report, const QString &sCode)
{
    const auto code = kairo::sim::wire::secrecyCode(sCode);
    kairo::sim::wire::descramble(reinterpret_cast<quint8 *>(report.data()) + 1, code.data());
    return report;
}

inline int sendFeature(hid_device *dev, const QByteArray &report)
{
    return hid_send_feature_report(dev, reinterpret_cast<const unsigned char *>(report.constData()),
                                   size_t(report.size()));
}

inline QByteArray getFeature(hid_device *dev, int *result = nullptr)
{
    QByteArray reply(9, 0);
    const int n = hid_get_feature_report(dev, reinterpret_cast<unsigned char *>(reply.data()), 9);
    if (result)
        *result = n;
    return n < 0 ? QByteArray() : reply;
}

// Sends the bulk payload as output reports of reportLength + 1 bytes.
inline int writeBulk(hid_device *dev, const QByteArray &payload, int reportLength)
{
    int reports = 0;
    for (int offset = 0; offset < payload.size(); offset += reportLength) {
        QByteArray out(reportLength + 1, 0);
        const QByteArray chunk = payload.mid(offset, reportLength);
        out.replace(1, chunk.size(), chunk);
        if (hid_write(dev, reinterpret_cast<const unsigned char *>(out.constData()),
                      size_t(out.size()))
            < 0)
            return -1;
        ++reports;
    }
    return reports;
}

inline QByteArray pattern(int size, int seed)
{
    QByteArray b(size, 0);
    for (int i = 0; i < size; ++i)
        b[i] = char((seed * 7 + i * 13) & 0xff);
    return b;
}

} // namespace simtest
