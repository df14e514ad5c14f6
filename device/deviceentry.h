#pragma once

#include <QString>
#include <QtGlobal>

// A full-speed interrupt endpoint carries at most 64 bytes; the exchange
// buffers add the report id byte to this.
constexpr int kMaxReportLength = 64;

// One row of the device table. The two paths are filled in by enumeration;
// an empty path means the interface was not found or has been lost.
struct DeviceEntry {
    int type = -1; // 0 keyboard, 1 mouse; the transport ignores it
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0; // command interface
    quint16 usage = 0;
    quint16 usagePage2 = 0; // notification interface
    quint16 usage2 = 0;
    int reportLength = 32; // payload bytes of one interrupt report, 1 .. kMaxReportLength
    bool isEncode = false; // scramble command and reply blocks
    QString sCode = QStringLiteral("424242");
    QString path;
    QString path2;
};
