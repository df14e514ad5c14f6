#pragma once
// What the journeys share: a copy of the built program on the virtual mouse,
// its files and wire log read back, the stage codes the mouse must receive,
// and where the scene tool finds the controls.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <qwindowdefs.h>

namespace kairo::journey {

// Sanitizer builds run the program several times slower: every wait on the
// program stretches with the build's test timeout factor.
constexpr int scaled(int milliseconds)
{
    return milliseconds * KAIRO_TEST_TIMEOUT_SCALE;
}

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

// A copy of the built program in a folder of its own, with its own data,
// virtual-mouse socket and wire log.
class ProgramCopy
{
protected:
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }
    QString profile() const { return path(QStringLiteral("modules/setting/p1.bin")); }
    QString factory() const { return path(QStringLiteral("modules/setting/pD.bin")); }
    QString wireLog() const { return path(QStringLiteral("wire.log")); }

    static QString run(const QString &program, const QStringList &args, int *exitCode = nullptr,
                       const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(20000);
        if (exitCode)
            *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }

    // Starts the copy of the program, its output going to kairo.log.
    void startCopy(QProcess &kairo, const QProcessEnvironment &env)
    {
        kairo.setProcessEnvironment(env);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.setStandardOutputFile(path(QStringLiteral("kairo.log")));
        kairo.start(path(QStringLiteral("kairo")));
        QVERIFY(kairo.waitForStarted());
    }

    // The program's window, found only once it is mapped.
    static void findWindow(WId &window)
    {
        QString id;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(id = run("xdotool", {"search", "--onlyvisible", "--name", "^ZENDRA KAIRO MOUSE K1$"})
                       .trimmed())
                 .isEmpty(),
            scaled(15000));
        QVERIFY2(!id.contains('\n'), qPrintable(id));
        window = WId(id.toULongLong());
    }

    // Puts the pointer of the test's X server at `at`. xdotool's --sync
    // waits 15 s for a pointer that already stands at its goal to move.
    static void pointTo(const QPoint &at)
    {
        static const QRegularExpression field("^([XY])=(\\d+)$",
                                              QRegularExpression::MultilineOption);
        QHash<QString, int> now;
        const QString location = run("xdotool", {"getmouselocation", "--shell"});
        for (auto m = field.globalMatch(location); m.hasNext();) {
            const auto match = m.next();
            now.insert(match.captured(1), match.captured(2).toInt());
        }
        if (QPoint(now.value("X", -1), now.value("Y", -1)) != at)
            run("xdotool",
                {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", path("vm.sock"));
        env.insert("KAIRO_VIRTUAL_MOUSE_LOG", wireLog());
        env.insert("KAIRO_VIRTUAL_MOUSE_CONFIG", path("mouse.ini"));
        env.remove("QT_QPA_PLATFORM");
        return env;
    }

    int cli(const QStringList &args, QString *reply = nullptr)
    {
        int code = -1;
        const QString out = run(KAIRO_BIN_DIR "/kairo-virtual-mouse", args, &code, environment());
        if (reply)
            *reply = out;
        return code;
    }

    // Where the controls are in a 1280 x 720 window, from the same scene
    // loaded by the tool.
    static QHash<QString, Place> places(const QStringList &steps)
    {
        QHash<QString, Place> found;
        int code = -1;
        const QString out = run(KAIRO_SCENETOOL, QStringList{"pos", "1280", "720"} + steps, &code);
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

    // Empties the folder and copies the program and its modules into it, for
    // a mouse of the given firmware family.
    void copyProgram(const QString &family)
    {
        QVERIFY(dir.isValid());
        for (const QString &old :
             QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries))
            QVERIFY(old == "modules" ? QDir(path(old)).removeRecursively()
                                     : QFile::remove(path(old)));
        QVERIFY(QFile::copy(KAIRO_BIN_DIR "/kairo", path("kairo")));
        QFile(path("kairo")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        int code = -1;
        run("cp", {"-r", KAIRO_BIN_DIR "/modules", dir.path()}, &code);
        QCOMPARE(code, 0);
        QSettings config(path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        config.setValue("mouse/icType", family);
        QCOMPARE(config.value("mouse/sensorType").toString(), QStringLiteral("3320"));
        QSettings mouse(path("mouse.ini"), QSettings::IniFormat);
        mouse.setValue("0/family", family);
    }
};

} // namespace kairo::journey
