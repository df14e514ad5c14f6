// The mouse goes away in the middle of a Save: the real program (a copy of
// the built kairo on the preloaded virtual mouse, driven with xdotool) must
// say so, keep Save red, and once the mouse is back send everything the
// window holds, so that the mouse ends up with what the window shows.
#include "tests/journey/journeysupport.h"
#include "tests/journey/scenepixels.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace kairo::journey;

namespace {

// The stage colours the window holds: six swatches, stages 7 and 8 white.
QByteArray windowColours(const QString &profile)
{
    QByteArray bytes;
    const QStringList swatches = iniValue(profile, "mouse", "dpiColorArray").split(',');
    for (int stage = 0; stage < 8; ++stage) {
        const QColor colour =
            stage < 6 ? QColor::fromString(swatches.value(stage).trimmed()) : QColor(Qt::white);
        bytes += char(colour.red());
        bytes += char(colour.green());
        bytes += char(colour.blue());
    }
    return bytes;
}

} // namespace

class MouseJourney : public QObject, private JourneyCopy
{
    Q_OBJECT
private:
    QProcess kairo;
    QPoint origin;
    WId window = 0;

    QImage screen() const { return kairo::journey::grabWindow(window); }
    int logCount(const QByteArray &line) const
    {
        return int(fileText(path("kairo.log")).count(line));
    }
    // With the pointer off it: a hovered button is drawn in the primary colour.
    bool saveRed(const QHash<QString, Place> &at) const
    {
        pointTo(origin + QPoint(640, 110));
        QTest::qWait(300);
        return kairo::journey::countNear(screen(), at["saveButton"].rect, accent) > 0;
    }
    // The notice's lower border, where nothing else of the frame is accent red.
    int noticeBorder() const
    {
        return kairo::journey::countNear(screen(), QRect(300, 620, 680, 4), accent);
    }
    void click(const Place &place) { clickAt(origin + place.centre); }
    QJsonObject mouseState()
    {
        QString state;
        cli({"state"}, &state);
        return QJsonDocument::fromJson(state.toUtf8()).object();
    }

    void startProgram()
    {
        QRect geometry;
        const QString failed = startShown(kairo, environment(), window, geometry);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        origin = geometry.topLeft();
    }

    // What the mouse holds of the window's stages, colours, lift-off and
    // report rate, on either family.
    struct Held {
        QByteArray codes, colours;
        int liftOff = -1, reportRate = -1;
    };
    Held held(const QString &family)
    {
        const QJsonObject s = mouseState();
        Held h;
        if (family == QLatin1String("560")) {
            const auto image = [&s](int n) {
                return QByteArray::fromHex(
                    s["profiles"].toArray().at(n).toString().remove(' ').toLatin1());
            };
            // The shipped model is full-colour: its stage colours live in image 0.
            h.codes = image(1).mid(84, 8);
            h.colours = image(0).mid(24, 24);
            h.reportRate = s["profileReportRate"].toArray().at(1).toInt();
        } else {
            h.codes = QByteArray::fromHex(s["dpiCodes"].toString().remove(' ').toLatin1());
            h.colours = QByteArray::fromHex(s["stageColors"].toString().remove(' ').toLatin1());
            h.reportRate = s["reportRate"].toInt();
        }
        h.liftOff = s["liftOff"].toInt();
        return h;
    }

private slots:
    void initTestCase()
    {
        // For a look at the program's files and wire log after a failure.
        if (qEnvironmentVariableIsSet("KAIRO_JOURNEY_KEEP")) {
            keep();
            qInfo("keeping %s", qPrintable(folder()));
        }
    }

    void cleanup()
    {
        kairo.kill();
        kairo.waitForFinished(5000);
    }

    void unpluggedDuringSave_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("553") << QStringLiteral("553");
        QTest::newRow("560") << QStringLiteral("560");
    }

    void unpluggedDuringSave()
    {
        QFETCH(QString, family);
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        const QHash<QString, Place> at = places({"dpiPlus1", "saveButton", "dpiSlider0"});
        QVERIFY(at.contains("dpiPlus1") && at.contains("saveButton"));
        const QString config = path("modules/setting/apConfig.bin");
        QList<int> raised = iniInts(profile(), "dpiValueArray");
        raised[1] += iniValue(config, "mouse", "dpiBase").toInt();
        const QByteArray raisedCodes =
            expectedCodes(family, raised, iniInts(profile(), "dpiEnableArray"));
        const QByteArray colours = windowColours(profile());
        const int liftOff = 125 - (iniValue(profile(), "mouse", "lod").toInt() - 3) * 35 / 322;
        const int rate = iniValue(profile(), "mouse", "reportRate").toInt();

        startProgram();
        if (QTest::currentTestFailed())
            return;
        const QRect slider = at["dpiSlider0"].rect;
        QTRY_VERIFY_WITH_TIMEOUT(kairo::journey::countNear(screen(), slider, accent)
                                         + kairo::journey::countNear(screen(), slider, primary)
                                     > 20,
                                 scaled(15000));
        QTest::qWait(scaled(1500)); // the start's lock has ended
        QVERIFY2(held(family).colours != colours && held(family).reportRate != rate,
                 "the factory mouse differs from the window");
        QCOMPARE(noticeBorder(), 0);

        // a. stage 2 one step up, Save; the mouse goes after one command
        click(at["dpiPlus1"]);
        QTRY_VERIFY_WITH_TIMEOUT(saveRed(at), scaled(5000));
        QCOMPARE(cli({"unplug-after", "1"}), 0);
        click(at["saveButton"]);
        QTRY_VERIFY_WITH_TIMEOUT(logCount("scene: setDeviceState unplugged") == 1, scaled(10000));
        QTRY_COMPARE_WITH_TIMEOUT(logCount("mouse action notTaken"), 1, scaled(5000));
        QVERIFY2(held(family).colours != colours, "the mouse lacks part of the window");

        // b. back: the notice and the red Save are still there
        QCOMPARE(cli({"plug"}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(logCount("scene: setDeviceState connected") == 2, scaled(15000));
        QTest::qWait(scaled(1500));
        QVERIFY(saveRed(at));
        QVERIFY2(noticeBorder() > 400, qPrintable(QString::number(noticeBorder())));
        QVERIFY(fileText(path("kairo.log")).contains("mouse notice: notTaken"));

        // c. Save again: everything the window holds reaches the mouse
        const int done = logCount("mouse action done");
        click(at["saveButton"]);
        QTRY_VERIFY_WITH_TIMEOUT(logCount("mouse action done") > done, scaled(15000));
        QTRY_VERIFY_WITH_TIMEOUT(!saveRed(at), scaled(5000));
        QCOMPARE(noticeBorder(), 0);
        const Held after = held(family);
        QCOMPARE(after.codes.toHex(' '), raisedCodes.toHex(' '));
        QCOMPARE(after.colours.toHex(' '), colours.toHex(' '));
        QCOMPARE(after.liftOff, liftOff);
        QCOMPARE(after.reportRate, rate);
        QCOMPARE(iniInts(profile(), "dpiValueArray"), raised);
        QCOMPARE(mouseState().value("protocolErrors").toInt(-1), 0);
    }
};

QTEST_MAIN(MouseJourney)
#include "test_journey_mouse.moc"
