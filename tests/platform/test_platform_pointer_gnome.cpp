// GNOME through the real gsettings and Debian's schema, on the keyfile
// backend in a private configuration folder: what a Save on the settings
// page sends lands in the file gnome-settings-daemon would read.
#include "operations/platform/pointersettings.h"
#include "operations/pointeroperations.h"

#include <QtTest>

namespace {

// The value of key in the mouse schema's group of the keyfile, empty if absent.
QString keyfileValue(const QString &configHome, const QString &key)
{
    QFile file(configHome + QStringLiteral("/glib-2.0/settings/keyfile"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inGroup = false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('['))
            inGroup = line == QLatin1String("[org/gnome/desktop/peripherals/mouse]");
        else if (inGroup && line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

} // namespace

class PointerSettingsOnGnome : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir config;
    std::unique_ptr<PointerSettings> pointer;

private slots:
    void initTestCase()
    {
        // The lines these tests wait for are off unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("kairo.debug=true"));
        if (QStandardPaths::findExecutable("gsettings").isEmpty())
            QSKIP("gsettings (libglib2.0-bin) is not installed");
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        pointer = PointerSettings::createForPlatform();
    }

    void speedAndDoubleClickAreOffered()
    {
        const PointerSupport support = pointer->support();
        QCOMPARE(support.desktop, QStringLiteral("GNOME"));
        QCOMPARE(support.cursorSpeed, PointerGap::NoGap);
        QCOMPARE(support.doubleClick, PointerGap::NoGap);
        QCOMPARE(support.wheelLines, PointerGap::NoSetting);
    }

    // index: what the page sends (0..10); speed 1..20 in between.
    void savedSpeedLandsInTheKeyfile_data()
    {
        QTest::addColumn<uint>("index");
        QTest::addColumn<double>("stored");
        QTest::newRow("index 0, speed 1") << 0u << -1.0;
        QTest::newRow("index 1, speed 2") << 1u << -0.8889;
        QTest::newRow("index 3, speed 6") << 3u << -0.4444;
        QTest::newRow("index 5, speed 10") << 5u << 0.0;
        QTest::newRow("index 7, speed 14") << 7u << 0.4;
        QTest::newRow("index 10, speed 20") << 10u << 1.0;
    }
    void savedSpeedLandsInTheKeyfile()
    {
        QFETCH(uint, index);
        QFETCH(double, stored);
        PointerOperations operations(pointer.get());
        operations.mouseSetCursorSpeed(index);
        bool isNumber = false;
        const double value = keyfileValue(config.path(), "speed").toDouble(&isNumber);
        QVERIFY(isNumber);
        QCOMPARE(value, stored);
    }

    void savedDoubleClickLandsInTheKeyfile_data()
    {
        QTest::addColumn<uint>("index");
        QTest::addColumn<QString>("stored");
        QTest::newRow("slowest") << 0u << "900";
        QTest::newRow("3") << 3u << "690";
        QTest::newRow("fastest") << 10u << "200";
    }
    void savedDoubleClickLandsInTheKeyfile()
    {
        QFETCH(uint, index);
        QFETCH(QString, stored);
        PointerOperations operations(pointer.get());
        operations.mouseSetDoubleClickSpeed(index);
        QCOMPARE(keyfileValue(config.path(), "double-click"), stored);
    }

    void wheelLinesHaveNowhereToGo()
    {
        PointerOperations operations(pointer.get());
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed ");
        operations.mouseSetVerticalScrollLines(3);
    }
};

QTEST_GUILESS_MAIN(PointerSettingsOnGnome)
#include "test_platform_pointer_gnome.moc"
