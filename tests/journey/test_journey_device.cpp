// Journeys about the mouse itself on the real program (a copy of the built
// kairo on the preloaded virtual mouse, driven with xdotool): none at start,
// one the user may not open, one unplugged. The device panel is read on the
// window's pixels, what the scene was told in the program's log, the mouse's
// side in the wire log.
#include "tests/journey/journeysupport.h"
#include "tests/journey/scenepixels.h"

#include <QtTest>

using namespace kairo::journey;

class DeviceJourney : public QObject, private JourneyCopy
{
    Q_OBJECT
private:
    QProcess kairo;
    WId window = 0;
    QHash<QString, QRect> at; // in window pixels

    int wireCommands() const { return int(fileText(wireLog()).count(" feature-out ")); }
    bool logged(const QByteArray &line) const { return fileText(programLog()).contains(line); }
    void mouseCommand(const QString &verb) { QCOMPARE(cli({verb}), 0); }
    QPoint origin() const { return kairo::test::windowGeometry(window).topLeft(); }
    QImage screen() const { return kairo::journey::grabWindow(window); }
    // Nothing else in the window fills the panel's thin accent strip.
    bool panelShown() const
    {
        const QRect strip = at.value("deviceStateAccent").adjusted(4, 1, -4, -1);
        return kairo::journey::countNear(screen(), strip, primary)
               > strip.width() * strip.height() * 9 / 10;
    }
    bool frameDrawn() const
    {
        const QRect slider = at.value("dpiSlider0");
        return kairo::journey::countNear(screen(), slider, accent)
                   + kairo::journey::countNear(screen(), slider, primary)
               > 20;
    }
    void click(const QString &name) { clickAt(origin() + at.value(name).center()); }

private slots:
    void initTestCase()
    {
        const QStringList names{"deviceStateAccent", "dpiSlider0", "dpiPlus1", "saveButton"};
        const QHash<QString, Place> places = kairo::journey::places(names);
        for (auto place = places.begin(); place != places.end(); ++place)
            at.insert(place.key(), place->rect);
        QCOMPARE(at.size(), names.size());
    }

    void cleanup()
    {
        kairo.kill();
        kairo.waitForFinished(5000);
    }

    // Each row: the mouse at start, what breaks it while the program runs,
    // and what a user does about it, as the panel says.
    void mouseUnusable_data()
    {
        QTest::addColumn<QString>("mouseKey");
        QTest::addColumn<QStringList>("breaking");
        QTest::addColumn<QByteArray>("told");
        QTest::addColumn<QStringList>("mending");
        QTest::newRow("no mouse") << "plugged" << QStringList{} << QByteArray("absent  ")
                                  << QStringList{"plug"};
        QTest::newRow("denied") << "openDenied" << QStringList{}
                                << QByteArray("denied virtual:0:command sudo install -m 644 ")
                                << QStringList{"allow"};
        QTest::newRow("unplugged")
            << "" << QStringList{"unplug"} << QByteArray("unplugged  ") << QStringList{"plug"};
    }
    void mouseUnusable()
    {
        QFETCH(QString, mouseKey);
        QFETCH(QStringList, breaking);
        QFETCH(QByteArray, told);
        QFETCH(QStringList, mending);
        copyProgram(QStringLiteral("553"));
        QSettings mouse(path("mouse.ini"), QSettings::IniFormat);
        if (!mouseKey.isEmpty())
            mouse.setValue("0/" + mouseKey, mouseKey == "plugged" ? "false" : "true");
        mouse.sync();
        startCopy(kairo, environment());
        // Whatever the mouse, the window is shown: found only once mapped.
        QVERIFY((window = kairo::test::waitForWindow(scaled(15000))));
        if (!breaking.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(frameDrawn() && !panelShown(), scaled(15000));
        for (const QString &verb : breaking)
            mouseCommand(verb);
        QTRY_VERIFY_WITH_TIMEOUT(panelShown(), scaled(10000));
        QTRY_VERIFY_WITH_TIMEOUT(logged("scene: setDeviceState " + told), scaled(5000));

        // The pages take no click; the panel still drags the window.
        const int sent = wireCommands();
        click("dpiPlus1");
        click("saveButton");
        const QPoint from = origin() + QPoint(120, 600);
        const QPoint to = from + QPoint(60, 40);
        runTool("xdotool",
                {"mousemove", "--sync", QString::number(from.x()), QString::number(from.y()),
                 "mousedown", "1", "sleep", "0.2", "mousemove", "--sync", QString::number(to.x()),
                 QString::number(to.y()), "sleep", "0.2", "mouseup", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(origin(), to - QPoint(120, 600), scaled(5000));
        QVERIFY(panelShown());
        QCOMPARE(wireCommands(), sent);

        for (const QString &verb : mending)
            mouseCommand(verb);
        QTRY_VERIFY_WITH_TIMEOUT(frameDrawn() && !panelShown(), scaled(15000));
        QVERIFY(logged("scene: setDeviceState connected"));
        QTest::qWait(scaled(1500)); // the connect's lock has ended
        QCOMPARE(kairo::journey::countNear(screen(), at.value("saveButton"), accent), 0);
    }
};

QTEST_MAIN(DeviceJourney)
#include "test_journey_device.moc"
