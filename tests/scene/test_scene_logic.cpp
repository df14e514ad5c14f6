// The scene's arithmetic without a window: slider geometry and snapping,
// frame zoom, DPI values, colours, pointer-setting and gun-editor values,
// stored lists.
#include "modules/qml/logic/scenelogic.h"

#include <QtTest>

using L = SceneLogic;

class TestSceneLogic : public QObject
{
    Q_OBJECT
private slots:
    void sliderGeometry_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("segment");
        QTest::addColumn<double>("maxX");
        QTest::addColumn<double>("pitch");
        QTest::newRow("340, 10 segments") << 340.0 << 10 << 325.0 << 32.2;
        QTest::newRow("435, 10 segments") << 435.0 << 10 << 420.0 << 41.7;
        QTest::newRow("118, 5 segments") << 118.0 << 5 << 103.0 << 20.0;
        QTest::newRow("default width 100") << 100.0 << 10 << 85.0 << 8.2;
    }
    void sliderGeometry()
    {
        QFETCH(double, width);
        QFETCH(int, segment);
        QFETCH(double, maxX);
        QFETCH(double, pitch);
        QCOMPARE(L::knobMin(12), 3.0);
        QCOMPARE(L::knobMax(width, 12), maxX);
        QCOMPARE(L::segmentPitch(width, 12, segment), pitch);
        // Both ends of the range are segment positions.
        QCOMPARE(L::segmentPosition(width, 12, segment, 0), 3.0);
        QCOMPARE(L::segmentPosition(width, 12, segment, segment), maxX);
        QCOMPARE(L::clampKnob(-20, width, 12), 3.0);
        QCOMPARE(L::clampKnob(maxX + 0.5, width, 12), maxX);
        QCOMPARE(L::clampKnob(40, width, 12), 40.0);
    }

    void segmentCorrection()
    {
        const QList<int> ten{-3, -6, -4, -3, -2, -1, 0, 1, 3, 4, 3};
        const QList<int> five{-3, -4, -2, 0, 3, 3};
        for (int i = 0; i < ten.size(); ++i)
            QVERIFY2(L::segmentCorrection(10, i) == ten[i], qPrintable(QString::number(i)));
        for (int i = 0; i < five.size(); ++i)
            QVERIFY2(L::segmentCorrection(5, i) == five[i], qPrintable(QString::number(i)));
    }

    // A click aims the knob's left edge half a knob left of the pointer; a
    // scaled slider then takes the first segment at or right of that aim. A
    // released knob goes to the first segment whose position + 1 reaches it.
    void knobTarget_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<double>("at");
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("segment");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("index");
        const QString click("scaled"), cont("continuous"), release("release");
        QTest::newRow("340 near right end") << click << 338.0 << 340.0 << 10 << 328.0 << 10;
        QTest::newRow("340 middle") << click << 100.0 << 340.0 << 10 << 96.6 << 3;
        QTest::newRow("340 left of range") << click << 0.0 << 340.0 << 10 << 0.0 << 0;
        QTest::newRow("aim exactly on 1") << click << 19.0 << 118.0 << 10 << 7.0 << 1;
        QTest::newRow("aim past 1") << click << 19.5 << 118.0 << 10 << 19.0 << 2;
        QTest::newRow("5 segments") << click << 50.0 << 118.0 << 5 << 63.0 << 3;
        QTest::newRow("5 segments right end") << click << 200.0 << 118.0 << 5 << 106.0 << 5;
        QTest::newRow("continuous left of range") << cont << 1.0 << 340.0 << 10 << 3.0 << -1;
        QTest::newRow("continuous right of range") << cont << 339.0 << 340.0 << 10 << 325.0 << -1;
        QTest::newRow("continuous inside") << cont << 100.5 << 340.0 << 10 << 94.5 << -1;
        QTest::newRow("release left end") << release << 3.0 << 118.0 << 10 << 0.0 << 0;
        QTest::newRow("release one right of 1") << release << 14.0 << 118.0 << 10 << 7.0 << 1;
        QTest::newRow("release past that") << release << 14.5 << 118.0 << 10 << 19.0 << 2;
        QTest::newRow("release right end") << release << 103.0 << 118.0 << 10 << 106.0 << 10;
        QTest::newRow("release 5 segments") << release << 44.0 << 118.0 << 5 << 41.0 << 2;
        QTest::newRow("release 5 segments last") << release << 90.0 << 118.0 << 5 << 106.0 << 5;
    }
    void knobTarget()
    {
        QFETCH(QString, how);
        QFETCH(double, at);
        QFETCH(double, width);
        QFETCH(int, segment);
        QFETCH(double, x);
        QFETCH(int, index);
        const QVariantMap target = how == "release"
                                       ? L::releaseTarget(at, width, 12, segment)
                                       : L::clickTarget(at, width, 12, segment, how == "scaled");
        QCOMPARE(target.value("index").toInt(), index);
        QCOMPARE(target.value("x").toDouble(), x);
    }

    void ratioAndDurations()
    {
        QCOMPARE(L::ratioToKnob(0, 435, 12), 4);
        QCOMPARE(L::ratioToKnob(0.5, 435, 12), 212); // 208.5 cut to 208
        QCOMPARE(L::ratioToKnob(1, 435, 12), 421);
        QCOMPARE(L::dropDownDuration(4), 140);
        QCOMPARE(L::dropDownDuration(0), 180);
        QCOMPARE(L::dropDownDuration(8), 100);
    }

    void zoomRates()
    {
        const QList<std::tuple<QSize, double, double>> rows{
            {{1920, 1080}, 1.5, 1.5},
            {{1280, 720}, 1.0, 1.0},
            {{1280, 1024}, 1.0, 1024.0 / 720},
            {{854, 682}, 854.0 / 1280, 682.0 / 720}};
        for (const auto &[size, min, max] : rows) {
            const QVariantMap rates = L::zoomRates(size.width(), size.height());
            QCOMPARE(rates.value("min").toDouble(), min);
            QCOMPARE(rates.value("max").toDouble(), max);
        }
    }

    void roundDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<double>("rounded");
        QTest::newRow("2.345, 2") << 2.345 << 2 << 2.35;
        QTest::newRow("1.5, 0") << 1.5 << 0 << 2.0;
        QTest::newRow("1.4, 0") << 1.4 << 0 << 1.0;
        QTest::newRow("rounded twice") << 1.449 << 1 << 1.5; // 144.9 -> 145 -> 14.5 -> 15
        QTest::newRow("123.456, 1") << 123.456 << 1 << 123.5;
        QTest::newRow("0.04, 1") << 0.04 << 1 << 0.0;
        // halves toward +infinity, as the scene's JavaScript rounds
        QTest::newRow("-1.25, 1") << -1.25 << 1 << -1.2;
        QTest::newRow("-2.5, 0") << -2.5 << 0 << -2.0;
        QTest::newRow("-2.56, 0") << -2.56 << 0 << -3.0;
    }
    void roundDecimal()
    {
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(double, rounded);
        QCOMPARE(L::roundDecimal(value, precision), rounded);
    }

    void languageIndex()
    {
        const QStringList names{
            "English", "ChineseSimplified", "ChineseTraditional", "German", "French", "Italian",
            "Spanish"};
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(L::languageIndex(names[i]), i);
            QCOMPARE(L::languageCode(i), names[i]);
        }
        QCOMPARE(L::languageCode(-1), QString());
        QCOMPARE(L::languageCode(7), QString());
        QCOMPARE(L::languageIndex("english"), -1);
        QCOMPARE(L::languageIndex(""), -1);
        QCOMPARE(L::languageIndex("Japanese"), -1);
    }

    void dpiFromKnob_data()
    {
        QTest::addColumn<double>("knob");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("dpi");
        QTest::newRow("left end") << 3.0 << 500 << 500;
        QTest::newRow("35 floors to 500") << 35.0 << 500 << 500; // 998.8
        QTest::newRow("36 reaches 1000") << 36.0 << 500 << 1000; // 1014.4
        QTest::newRow("35 base 100") << 35.0 << 100 << 900;
        QTest::newRow("211 base 100") << 211.0 << 100 << 3700; // 3742.2
        QTest::newRow("419") << 419.0 << 500 << 6500;          // 6984.4
        QTest::newRow("right end") << 420.0 << 500 << 7000;
    }
    void dpiFromKnob()
    {
        QFETCH(double, knob);
        QFETCH(int, base);
        QFETCH(int, dpi);
        QCOMPARE(L::dpiFromKnob(knob, 500, 7000, base), dpi);
    }

    // Over the whole knob range: whole steps, inside min..max, never falling.
    void dpiAlwaysWholeSteps()
    {
        for (int base : {100, 250, 500}) {
            int last = 0;
            for (int knob = 3; knob <= 420; ++knob) {
                const int dpi = L::dpiFromKnob(knob, 500, 7000, base);
                QVERIFY2(dpi % base == 0 && dpi >= 500 && dpi <= 7000 && dpi >= last,
                         qPrintable(QStringLiteral("%1 at %2: %3").arg(base).arg(knob).arg(dpi)));
                last = dpi;
            }
            QCOMPARE(last, 7000);
        }
    }

    void dpiStepAndRatio()
    {
        QCOMPARE(L::dpiStep(500, -500, 500, 7000), 500);  // minus at min
        QCOMPARE(L::dpiStep(7000, 500, 500, 7000), 7000); // plus at max
        QCOMPARE(L::dpiStep(6800, 500, 500, 7000), 6800); // would pass max
        QCOMPARE(L::dpiStep(6500, 500, 500, 7000), 7000);
        QCOMPARE(L::dpiStep(1000, -500, 500, 7000), 500);
        QCOMPARE(L::dpiRatio(500, 500, 7000), 0.0);
        QCOMPARE(L::dpiRatio(3750, 500, 7000), 0.5);
        QCOMPARE(L::dpiRatio(7000, 500, 7000), 1.0);
    }

    void colours()
    {
        QCOMPARE(L::colorToBytes("#ff8000"), (QVariantList{255, 128, 0}));
        QCOMPARE(L::colorToBytes("#FFFF00"), (QVariantList{255, 255, 0}));
        QCOMPARE(L::colorToBytes("#010203"), (QVariantList{1, 2, 3}));
        QCOMPARE(L::colorToBytes(""), (QVariantList{0, 0, 0}));
        QCOMPARE(L::colorToBytes("#12"), (QVariantList{0, 0, 0}));
        QCOMPARE(L::bytesToColor(255, 128, 0), QStringLiteral("#ff8000"));
        QCOMPARE(L::bytesToColor(1, 2, 3), QStringLiteral("#010203"));

        // Stages 7 and 8 are white whatever the list holds for them.
        const QStringList swatches{"#ff0000", "#0000ff", "#00ff00", "#FFFF00",
                                   "#00FFFF", "#FF00FF", "#123456", "#000000"};
        const QVariantList expected{255, 0,   0,   0,   0, 255, 0,   255, 0,   255, 255, 0,
                                    0,   255, 255, 255, 0, 255, 255, 255, 255, 255, 255, 255};
        QCOMPARE(L::stageColorBytes(swatches), expected);
        QCOMPARE(L::stageColorBytes(swatches.mid(0, 6)), expected);
    }

    // Hues run anticlockwise from red at the wheel's right.
    void hue_data()
    {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<QString>("color");
        QTest::addColumn<QPointF>("point");
        QTest::newRow("0 right") << 0.0 << "#ff0000" << QPointF(150, 100);
        QTest::newRow("60") << 60.0 << "#ffff00" << QPointF(125, 100 - 25 * std::sqrt(3.0));
        QTest::newRow("90 top") << 90.0 << QString() << QPointF(100, 50);
        QTest::newRow("120") << 120.0 << "#00ff00" << QPointF(75, 100 - 25 * std::sqrt(3.0));
        QTest::newRow("180 left") << 180.0 << "#00ffff" << QPointF(50, 100);
        QTest::newRow("240") << 240.0 << "#0000ff" << QPointF(75, 100 + 25 * std::sqrt(3.0));
        QTest::newRow("270 bottom") << 270.0 << QString() << QPointF(100, 150);
    }
    void hue()
    {
        QFETCH(double, degrees);
        QFETCH(QString, color);
        QFETCH(QPointF, point);
        QCOMPARE(L::hueAngle(point.x(), point.y(), 100, 100), degrees);
        if (color.isNull()) // between the primaries the exact shade is ours to choose
            return;
        QCOMPARE(L::hueColor(degrees), color);
        QCOMPARE(L::hueColor(degrees + 360), color);
    }

    // The first breakpoint above the position; none above gives 0.
    void breakpointIndex()
    {
        const QList<QPair<double, int>> rows{{3, 0},    {4, 1},   {36, 1},  {37, 2},  {163, 5},
                                             {171, 5},  {172, 6}, {174, 6}, {304, 9}, {305, 10},
                                             {337, 10}, {338, 0}, {400, 0}};
        for (const auto &[position, index] : rows)
            QVERIFY2(L::breakpointIndex(position) == index, qPrintable(QString::number(position)));
    }

    void lod()
    {
        const QList<std::tuple<double, int, QString>> rows{
            {3, 125, "0.3mm"},   {12, 125, "0.3mm"}, {13, 124, "0.3mm"}, {100, 115, "0.8mm"},
            {164, 108, "1.1mm"}, {250, 99, "1.6mm"}, {324, 91, "1.9mm"}, {325, 90, "2mm"}};
        for (const auto &[position, value, text] : rows) {
            QVERIFY2(L::lodValue(position) == value, qPrintable(QString::number(position)));
            QCOMPARE(L::lodText(position), text);
        }
    }

    void fieldsAndShownPositions()
    {
        QCOMPARE(L::shownPointerPosition(174), 163);
        QCOMPARE(L::shownDoubleClickPosition(174), 161);
        for (int stored : {3, 163, 173, 175, 337}) {
            QCOMPARE(L::shownPointerPosition(stored), stored);
            QCOMPARE(L::shownDoubleClickPosition(stored), stored);
        }
        const QList<QPair<QString, QString>> wheel{{"", "2"},  {"0", "2"}, {"-3", "2"},
                                                   {"1", "1"}, {"7", "7"}, {"100", "100"}};
        for (const auto &[typed, shown] : wheel)
            QCOMPARE(L::wheelLinesText(typed), shown);
        const QList<QPair<QString, QString>> rect{
            {"", "0"}, {"0", "0"}, {"12", "12"}, {"255", "255"}};
        for (const auto &[typed, shown] : rect)
            QCOMPARE(L::rectInputText(typed), shown);
    }

    void gun()
    {
        QCOMPARE(L::periodText(10), QStringLiteral("10MS"));
        QCOMPARE(L::periodText(5), QStringLiteral("5MS"));
        QCOMPARE(L::periodFromText("10MS"), 10);
        QCOMPARE(L::periodFromText("91MS"), 91);
        QCOMPARE(L::periodFromText("9MS"), 9);
        for (int period = 5; period <= 91; ++period)
            QCOMPARE(L::periodFromText(L::periodText(period)), period);
    }

    // Only the device table's "560" names the family that keeps device profiles.
    void families()
    {
        QVERIFY(L::isSecondFamily("560"));
        for (const char *other : {"553", "", "5600", "56"})
            QVERIFY2(!L::isSecondFamily(QString::fromLatin1(other)), other);
    }

    // Lists as name.bin and the profiles keep them: what a page reads back
    // and what it hands to the store.
    void storedLists_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QStringList>("read");
        const QString mark = QStringLiteral("loaderzumbek");
        QTest::newRow("one entry") << QVariant(QStringList{"a", mark}) << QStringList{"a"};
        QTest::newRow("behind three")
            << QVariant(QStringList{"a", "b", mark}) << QStringList{"a", "b"};
        QTest::newRow("only the mark") << QVariant(QStringList{mark}) << QStringList{};
        QTest::newRow("not last") << QVariant(QStringList{mark, "a"}) << QStringList{mark, "a"};
        QTest::newRow("single text") << QVariant(QString("a")) << QStringList{"a"};
        QTest::newRow("nothing stored") << QVariant() << QStringList{};
        QTest::newRow("as JS hands it") << QVariant(QVariantList{"a", mark}) << QStringList{"a"};
    }
    void storedLists()
    {
        QFETCH(QVariant, stored);
        QFETCH(QStringList, read);
        QCOMPARE(L::storedList(stored), read);
        if (read.size() == 1)
            QCOMPARE(L::listToStore(read), QStringList({read.first(), "loaderzumbek"}));
        else
            QCOMPARE(L::listToStore(read), read);
    }
};

QTEST_APPLESS_MAIN(TestSceneLogic)
#include "test_scene_logic.moc"
