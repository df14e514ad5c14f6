// Plasma on Wayland: a fake KWin on a private session bus takes the speed
// live, and the real kwriteconfig5 keeps it and the other two settings in a
// private configuration folder, where kreadconfig5 reads them back.
#include "operations/platform/pointersettings.h"
#include "tests/platform/fakedesktoptool.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QtTest>

namespace {

const QString mouse = QStringLiteral("event3");
const QString receiver = QStringLiteral("event9");
const QString keyboard = QStringLiteral("event5");
const QString touchpad = QStringLiteral("event7");
const QStringList devices{
    "event3|ZENDRA KAIRO MOUSE K1|1241|41119|mouse|0.5",
    "event5|AT Translated Set 2 keyboard|1|1|keyboard|0.5",
    "event7|SynPS/2 Synaptics TouchPad|2|7|touchpad|0.5",
    "event9|Logitech USB Receiver|1133|50475|mouse|0.5",
};

double acceleration(const QString &sysName)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.KWin", "/org/kde/KWin/InputDevice/" + sysName,
                                       "org.freedesktop.DBus.Properties", "Get");
    call << QStringLiteral("org.kde.KWin.InputDevice") << QStringLiteral("pointerAcceleration");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.arguments().isEmpty())
        return qQNaN();
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toDouble();
}

QString readConfig(const QString &file, const QStringList &groups, const QString &key)
{
    QStringList arguments{"--file", file};
    for (const QString &group : groups)
        arguments << "--group" << group;
    QProcess reader;
    reader.start(QStringLiteral("kreadconfig5"), arguments << "--key" << key);
    reader.waitForFinished();
    return QString::fromLocal8Bit(reader.readAllStandardOutput()).trimmed();
}

} // namespace

class PointerSettingsOnPlasma : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir config;
    std::unique_ptr<PrivateSessionBus> bus;
    std::unique_ptr<FakeKwin> kwin;
    std::unique_ptr<PointerSettings> pointer;
    int mouseSettingsChanges = 0;

public slots:
    void countMouseSettingsChange(int type, int category)
    {
        if (type == 3 && category == 0)
            ++mouseSettingsChanges;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("kwriteconfig5").isEmpty())
            QSKIP("kwriteconfig5 (libkf5config-bin) is not installed");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        qputenv("XDG_SESSION_TYPE", "wayland");
        bus = std::make_unique<PrivateSessionBus>();
        QVERIFY(bus->valid());
        kwin = std::make_unique<FakeKwin>(QStringLiteral(FAKE_KWIN), devices);
        QVERIFY(kwin->ready);
        QVERIFY(QDBusConnection::sessionBus().connect(
            {}, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange", this,
            SLOT(countMouseSettingsChange(int, int))));
        pointer = PointerSettings::createForPlatform();
    }

    void everySettingIsOffered()
    {
        const PointerSupport support = pointer->support();
        QCOMPARE(support.desktop, QStringLiteral("KDE"));
        QCOMPARE(support.cursorSpeed, PointerGap::NoGap);
        QCOMPARE(support.doubleClick, PointerGap::NoGap);
        QCOMPARE(support.wheelLines, PointerGap::NoGap);
    }

    void speedReachesTheMiceOnly_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("slowest") << 1 << "-1.0000";
        QTest::newRow("6") << 6 << "-0.4444";
        QTest::newRow("one to one") << 10 << "0.0000";
        QTest::newRow("16") << 16 << "0.6000";
        QTest::newRow("fastest") << 20 << "1.0000";
    }
    void speedReachesTheMiceOnly()
    {
        QFETCH(int, speed);
        QFETCH(QString, stored);
        QVERIFY(pointer->setCursorSpeed(speed));
        QCOMPARE(acceleration(mouse), stored.toDouble());
        QCOMPARE(acceleration(receiver), stored.toDouble());
        QCOMPARE(acceleration(keyboard), 0.5);
        QCOMPARE(acceleration(touchpad), 0.5);
        const QStringList mouseGroup{"Libinput", "1241", "41119", "ZENDRA KAIRO MOUSE K1"};
        QCOMPARE(readConfig("kcminputrc", mouseGroup, "PointerAcceleration"), stored);
        const QStringList receiverGroup{"Libinput", "1133", "50475", "Logitech USB Receiver"};
        QCOMPARE(readConfig("kcminputrc", receiverGroup, "PointerAcceleration"), stored);
        QCOMPARE(readConfig("kcminputrc", {"Libinput", "2", "7", "SynPS/2 Synaptics TouchPad"},
                            "PointerAcceleration"),
                 QString());
    }

    void doubleClickAndWheelGoToKdeglobals()
    {
        const int before = mouseSettingsChanges;
        QVERIFY(pointer->setDoubleClickTime(690));
        QVERIFY(pointer->setWheelScrollLines(1000));
        QVERIFY(!pointer->setWheelScrollLines(0));
        QCOMPARE(readConfig("kdeglobals", {"KDE"}, "DoubleClickInterval"), QStringLiteral("690"));
        QCOMPARE(readConfig("kdeglobals", {"KDE"}, "WheelScrollLines"), QStringLiteral("1000"));
        // Running KDE programs are told, once per change.
        QTRY_COMPARE(mouseSettingsChanges, before + 2);
    }

    // Without KWin the speed has nowhere to go; the files alone would change
    // nothing until the next login.
    void withoutKwinTheSpeedIsNotOffered()
    {
        kwin->stop();
        auto afterKwin = PointerSettings::createForPlatform();
        QCOMPARE(afterKwin->support().cursorSpeed, PointerGap::NoDevice);
        QCOMPARE(afterKwin->support().doubleClick, PointerGap::NoGap);
        QVERIFY(!afterKwin->setCursorSpeed(12));
        QCOMPARE(readConfig("kcminputrc", {"Libinput", "1241", "41119", "ZENDRA KAIRO MOUSE K1"},
                            "PointerAcceleration"),
                 QStringLiteral("1.0000"));
    }
};

QTEST_GUILESS_MAIN(PointerSettingsOnPlasma)
#include "test_platform_pointer_kde.moc"
