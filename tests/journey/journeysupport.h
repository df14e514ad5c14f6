#pragma once
// What the journeys share: a copy of the built program on the virtual mouse,
// its files and wire log read back, the stage codes the mouse must receive,
// and where the scene tool finds the controls.

#include "tests/support/programcopy.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace kairo::journey {

using kairo::test::clickAt;
using kairo::test::pointTo;
using kairo::test::runTool;
using kairo::test::scaled;

inline const QColor accent(0xff, 0x30, 0x30);
inline const QColor primary(0xff, 0x99, 0x33);

struct Place {
    QPoint centre;
    QRect rect;
};

// Values of one section of an INI file, read afresh from the disk each time
// (QSettings would keep this process's copy of the file).
inline QString iniValue(const QString &path, const QString &section, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString current;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[') && line.endsWith(']'))
            current = line.mid(1, line.size() - 2);
        else if (current == section && line.startsWith(key + '='))
            return line.mid(key.size() + 1).trimmed();
    }
    return QString();
}

// "key" reads the section mouse; "section/key" any other.
inline QList<int> iniInts(const QString &path, const QString &key)
{
    const int slash = int(key.indexOf('/'));
    const QString section = slash < 0 ? QStringLiteral("mouse") : key.left(slash);
    QList<int> values;
    for (const QString &item : iniValue(path, section, key.mid(slash + 1)).split(','))
        values << item.trimmed().toInt();
    return values;
}

// One command report with the bulk data that followed it.
struct Command {
    quint8 opcode = 0;
    QByteArray params; // P1 .. P6
    QByteArray bulk;   // payload of the output reports, report ids dropped
};

// The wire log from line `from` on: "<ms> <device> <direction> <hex bytes>".
inline QList<Command> commands(const QString &logPath, int from)
{
    QList<Command> found;
    QFile file(logPath);
    if (!file.open(QIODevice::ReadOnly))
        return found;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = from; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines.at(i).split(' ');
        if (fields.size() < 4)
            continue;
        const QByteArray bytes = QByteArray::fromHex(fields.mid(3).join());
        if (fields.at(2) == "feature-out" && bytes.size() == 9)
            found << Command{quint8(bytes.at(1)), bytes.mid(2, 6), QByteArray()};
        else if (fields.at(2) == "out" && !found.isEmpty())
            found.last().bulk += bytes.mid(1);
    }
    return found;
}

inline QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline int lineCount(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
}

// Sensor "3320": the code of the first 500-DPI threshold at or above the value.
inline quint8 code3320(int dpi)
{
    return quint8(0x20 + (dpi + 499) / 500);
}

inline QByteArray expectedCodes(const QString &family, const QList<int> &values,
                                const QList<int> &enables)
{
    QByteArray codes;
    for (int i = 0; i < 8; ++i) {
        const bool off = family != QLatin1String("560") && enables.value(i, 1) == 0;
        codes += char(off ? 0x80 : code3320(values.value(i)));
    }
    return codes;
}

// The stage codes as the mouse receives them: 11H with eight code bytes, or
// the 128-byte image of device profile 1 with the codes at bytes 84 to 91.
inline QList<QByteArray> sentDpiCodes(const QList<Command> &sent, const QString &family)
{
    QList<QByteArray> codes;
    for (const Command &c : sent) {
        if (family == QLatin1String("560") && c.opcode == 0x0c && quint8(c.params.at(0)) == 1
            && c.bulk.size() >= 128)
            codes << c.bulk.mid(84, 8);
        else if (family != QLatin1String("560") && c.opcode == 0x11 && c.bulk.size() >= 8)
            codes << c.bulk.left(8);
    }
    return codes;
}

// For failure messages: every set of stage codes sent.
inline QByteArray describe(const QList<QByteArray> &codes)
{
    QByteArrayList text;
    for (const QByteArray &c : codes)
        text << c.toHex(' ');
    return "sent: [" + text.join("] [") + "]";
}

inline QStringList macroLines(const QString &file)
{
    QSettings macro(file, QSettings::IniFormat);
    QStringList lines;
    const int total = macro.value("config/total").toInt();
    for (int i = 0; i < total; ++i)
        lines << macro.value("macro/" + QString::number(i)).toString();
    return lines;
}

// Where the controls are in a 1280 x 720 window, from the same scene
// loaded by the tool.
inline QHash<QString, Place> places(const QStringList &steps)
{
    QHash<QString, Place> found;
    int code = -1;
    const QString out = runTool(KAIRO_SCENETOOL, QStringList{"pos", "1280", "720"} + steps, &code);
    for (const QString &line : out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ');
        if (f.size() == 8)
            found.insert(f[0],
                         Place{QPoint(f[1].toInt(), f[2].toInt()),
                               QRect(f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt())});
    }
    if (code != 0)
        qWarning("kairo-scenetool pos failed (%d) for %s", code, qPrintable(steps.join(' ')));
    return found;
}

// The journeys' copy: for a mouse of one family, with the sensor whose stage
// codes code3320 knows.
class JourneyCopy : public kairo::test::ProgramCopy
{
protected:
    void copyProgram(const QString &family)
    {
        const QString failed = copyIn(family);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QSettings config(path(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat);
        QCOMPARE(config.value("mouse/sensorType").toString(), QStringLiteral("3320"));
    }

    void startCopy(QProcess &kairo, const QProcessEnvironment &env)
    {
        const QString failed = start(kairo, env);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }

    // After a failure in a run nobody watches (CI), the window as it stood
    // and the program's last words are all there is to go on.
    void reportFailure(const QImage &window)
    {
        // Beside the folder, which the next data row fills anew.
        const QString picture = folder() + u'-' + QLatin1String(QTest::currentDataTag()) + ".png";
        window.save(picture);
        QStringList lines = QString::fromUtf8(fileText(programLog())).split(u'\n');
        lines = lines.mid(qMax(0, int(lines.size()) - 30));
        qInfo("window kept in %s; the program's last lines:\n%s", qPrintable(picture),
              qPrintable(lines.join(u'\n')));
    }
};

} // namespace kairo::journey
