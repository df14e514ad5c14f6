// Journeys on the real program: a copy of the built kairo on the preloaded
// virtual mouse, driven only by pointer clicks (xdotool) and the mouse's own
// DPI button, checked on the wire, in the profile files and on the screen.
#include "tests/journey/journeysupport.h"
#include "tests/journey/scenepixels.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace kairo::journey;

namespace {

bool sentReportRate(const QList<Command> &sent, const QString &family, int rate)
{
    for (const Command &c : sent) {
        if (family == QLatin1String("560") ? c.opcode == 0x03 && c.params.at(1) == rate
                                           : c.opcode == 0x01 && c.params.at(0) == rate)
            return true;
    }
    return false;
}

bool sentLiftOff(const QList<Command> &sent, const QString &family, int value, bool enabled)
{
    for (const Command &c : sent) {
        const auto p = [&c](int i) { return quint8(c.params.at(i - 1)); };
        if (family == QLatin1String("560")) {
            if (c.opcode == 0x09 && p(1) == (enabled ? value : 0) && p(2) == 0x7d)
                return true;
        } else if (c.opcode == 0x07 && p(2) == value && p(3) == 0x7d && p(4) == (enabled ? 1 : 0)) {
            return true;
        }
    }
    return false;
}

// The 64-byte matrix 1 of every key-matrix command: 12H on the first family,
// 0DH (in a 128-byte block) on the second.
QList<QByteArray> sentMatrix1(const QList<Command> &sent, const QString &family)
{
    const quint8 opcode = family == QLatin1String("560") ? 0x0d : 0x12;
    QList<QByteArray> matrices;
    for (const Command &c : sent) {
        if (c.opcode == opcode && quint8(c.params.at(0)) == 1 && c.bulk.size() >= 64)
            matrices << c.bulk.left(64);
    }
    return matrices;
}

// The 128-byte blocks sent to a macro slot (macro id = slot + 1).
QList<QByteArray> sentMacroBlocks(const QList<Command> &sent, const QString &family, int slot)
{
    const quint8 opcode = family == QLatin1String("560") ? 0x0f : 0x13;
    QList<QByteArray> blocks;
    for (const Command &c : sent) {
        if (c.opcode == opcode && quint8(c.params.at(0)) == slot + 1 && c.bulk.size() >= 128)
            blocks << c.bulk.left(128);
    }
    return blocks;
}

// A firmware record as the matrix holds it; records 3 and 4 travel swapped.
QByteArray record(const QByteArray &matrix, int button)
{
    const int position = button == 3 ? 4 : button == 4 ? 3 : button;
    return matrix.mid(position * 4, 4);
}

bool anyRecord(const QList<QByteArray> &matrices, int button, const QByteArray &expected)
{
    for (const QByteArray &m : matrices) {
        if (record(m, button) == expected)
            return true;
    }
    return false;
}

// The 64-byte lighting blocks (16H), sent alike on both families.
QList<QByteArray> sentLighting(const QList<Command> &sent)
{
    QList<QByteArray> blocks;
    for (const Command &c : sent) {
        if (c.opcode == 0x16 && c.bulk.size() >= 64)
            blocks << c.bulk.left(64);
    }
    return blocks;
}

// What a profile's first lighting preset puts on the wire: marker, effect,
// brightness segment x 5, speed, direction, then the chosen block's colour in
// all fifteen places.
QByteArray expectedLighting(const QList<int> &value, const QList<int> &colours, int colourIndex)
{
    QByteArray block;
    block += char(0x32);
    block += char(value[0]);
    block += char(value[2] * 5);
    block += char(value[1]);
    block += char(value[3]);
    for (int i = 0; i < 15; ++i) {
        for (int c = 0; c < 3; ++c)
            block += char(colours[colourIndex * 3 + c]);
    }
    return block;
}

} // namespace

class Journey : public QObject, private JourneyCopy
{
    Q_OBJECT
private:
    QProcess kairo;
    QPoint origin;
    WId window = 0;
    QRect busyRing;
    QImage idleRing;

    void click(const Place &place) { clickAt(origin + place.centre); }

    QImage screen() const { return kairo::journey::grabWindow(window); }

    // The scene ignores the pointer while it is busy with the mouse, and
    // shows its busy ring meanwhile: a person waits for the ring to go.
    bool idle() const { return screen().copy(busyRing) == idleRing; }

    // A profile switch or a Save blocks the window while it talks to the
    // mouse, and the ring shows only once that frame is drawn, which may come
    // after the test has read the wire: the wire must also stay quiet.
    bool quiet()
    {
        const int lines = lineCount(wireLog());
        QTest::qWait(700);
        return lines == lineCount(wireLog()) && idle();
    }

    // Starts the copy on the virtual mouse and finds its window.
    void startProgram()
    {
        QRect geometry;
        const QString failed = startShown(kairo, environment(), window, geometry, QSize(1280, 720));
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        origin = geometry.topLeft();
    }

    // Starts the copy and waits for the frame: stage 1's slider drawn, and
    // the busy ring's idle picture kept for idle().
    void startUntilDrawn(const QHash<QString, Place> &at)
    {
        startProgram();
        if (QTest::currentTestFailed())
            return;
        const QRect slider = at.value("dpiSlider0").rect;
        QTRY_VERIFY_WITH_TIMEOUT(kairo::journey::countNear(screen(), slider, accent)
                                         + kairo::journey::countNear(screen(), slider, primary)
                                     > 20,
                                 scaled(15000));
        keepIdleRing(at);
    }

    // The picture under the busy ring, kept for idle() once it holds still.
    void keepIdleRing(const QHash<QString, Place> &at)
    {
        busyRing = at.value("@BusyIndicator").rect;
        // The ring sits over the mouse picture, whose buttons show a tip
        // under the pointer: the pointer waits in the top bar's empty middle.
        pointTo(origin + QPoint(640, 14));
        QImage before;
        QTRY_VERIFY_WITH_TIMEOUT((before = screen().copy(busyRing), QTest::qWait(250),
                                  screen().copy(busyRing) == before),
                                 scaled(10000));
        idleRing = before;
    }

private slots:
    void initTestCase()
    {
        // For a look at the program's files and wire log after a failure.
        if (qEnvironmentVariableIsSet("KAIRO_JOURNEY_KEEP")) {
            keep();
            qInfo("keeping %s", qPrintable(folder()));
        }
        int code = -1;
        runTool("xdotool", {"version"}, &code);
        QVERIFY2(code == 0, "xdotool is needed to drive the program");
    }

    void cleanup()
    {
        if (QTest::currentTestFailed() && window)
            reportFailure(screen());
        kairo.kill();
        kairo.waitForFinished(5000);
    }

    // Start, raise stage 2 by one step and save, switch stages on the mouse,
    // reset to the factory profile, end the program.
    void journey_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("553") << QStringLiteral("553");
        QTest::newRow("560") << QStringLiteral("560");
    }

    void journey()
    {
        QFETCH(QString, family);
        QElapsedTimer clock;
        clock.start();

        // a. a copy of the program with its own data, socket and wire log
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        const QString config = path("modules/setting/apConfig.bin");
        const int dpiBase = iniValue(config, "mouse", "dpiBase").toInt();
        const int maxDpi = iniValue(config, "mouse", "maxDPI").toInt();
        const QList<int> before = iniInts(profile(), "dpiValueArray");
        const QList<int> enables = iniInts(profile(), "dpiEnableArray");
        const QList<int> factoryValues = iniInts(factory(), "dpiValueArray");
        QCOMPARE(before.size(), 8);
        QCOMPARE(factoryValues.size(), 8);
        QVERIFY(dpiBase > 0 && before[1] + dpiBase <= maxDpi);

        const QStringList controls{"@BusyIndicator", "dpiPlus1",   "saveButton", "resetButton",
                                   "dpiSlider0",     "dpiSlider1", "dpiSlider2"};
        const QHash<QString, Place> at =
            places(controls + QStringList{"--click", "resetButton", "resetOk"});
        for (const QString &name : controls + QStringList{"resetOk"})
            QVERIFY2(at.contains(name), qPrintable(name));

        startProgram();
        if (QTest::currentTestFailed())
            return;

        // The logo gives way to the frame: the stage sliders are drawn.
        const QRect slider0 = at["dpiSlider0"].rect;
        const QRect slider2 = at["dpiSlider2"].rect;
        QTRY_VERIFY_WITH_TIMEOUT(kairo::journey::countNear(screen(), slider0, accent)
                                         + kairo::journey::countNear(screen(), slider0, primary)
                                     > 20,
                                 scaled(15000));
        QVERIFY2(kairo::journey::countNear(screen(), slider2, accent) == 0,
                 "stage 3 is not the mouse's stage yet");
        keepIdleRing(at);
        QVERIFY2(kairo::journey::countNear(screen(), at["saveButton"].rect, accent) == 0,
                 "nothing is unsaved at start");

        // b. one step up on stage 2, then Save
        click(at["dpiPlus1"]);
        QTRY_VERIFY_WITH_TIMEOUT(
            kairo::journey::countNear(screen(), at["saveButton"].rect, accent) > 0, scaled(5000));
        const int beforeSave = lineCount(wireLog());
        click(at["saveButton"]);
        QList<int> raised = before;
        raised[1] += dpiBase;
        const QByteArray raisedCodes = expectedCodes(family, raised, enables);
        QTRY_VERIFY2_WITH_TIMEOUT(
            sentDpiCodes(commands(wireLog(), beforeSave), family).contains(raisedCodes),
            describe(sentDpiCodes(commands(wireLog(), beforeSave), family)), scaled(10000));
        QTRY_COMPARE_WITH_TIMEOUT(iniInts(profile(), "dpiValueArray"), raised, scaled(5000));
        QTRY_VERIFY_WITH_TIMEOUT(
            kairo::journey::countNear(screen(), at["saveButton"].rect, accent) == 0, scaled(5000));

        // c. the mouse's DPI button moves the highlight to stage 3
        QCOMPARE(cli({"press-dpi", "3"}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(kairo::journey::countNear(screen(), slider2, accent) > 20,
                                 scaled(5000));
        const QImage shown = screen();
        QCOMPARE(kairo::journey::countNear(shown, slider0, accent), 0);
        QVERIFY(kairo::journey::countNear(shown, slider0, primary) > 20);
        // The knob itself has a little of the primary colour.
        QVERIFY(kairo::journey::countNear(shown, slider2, accent)
                > kairo::journey::countNear(shown, slider2, primary));

        // d. Reset, confirmed: the factory profile on the wire and on disk
        const int lod = iniValue(factory(), "mouse", "lod").toInt();
        const bool lodEnabled = iniValue(factory(), "mouse", "lodEn").toInt() == 1;
        const int liftOff = 125 - (lod - 3) * 35 / 322;
        const int rate = iniValue(factory(), "mouse", "reportRate").toInt();
        const QByteArray factoryCodes =
            expectedCodes(family, factoryValues, iniInts(factory(), "dpiEnableArray"));
        QVERIFY(factoryCodes != raisedCodes);
        const int beforeReset = lineCount(wireLog());
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
        click(at["resetButton"]);
        click(at["resetOk"]);
        QTRY_VERIFY2_WITH_TIMEOUT(
            sentDpiCodes(commands(wireLog(), beforeReset), family).contains(factoryCodes),
            describe(sentDpiCodes(commands(wireLog(), beforeReset), family)), scaled(15000));
        QTRY_VERIFY_WITH_TIMEOUT(sentReportRate(commands(wireLog(), beforeReset), family, rate),
                                 scaled(10000));
        QTRY_VERIFY_WITH_TIMEOUT(
            sentLiftOff(commands(wireLog(), beforeReset), family, liftOff, lodEnabled),
            scaled(10000));
        QTRY_COMPARE_WITH_TIMEOUT(iniInts(profile(), "dpiValueArray"), factoryValues, scaled(5000));
        // After a reset the scene puts the mouse on stage 2.
        QTRY_VERIFY_WITH_TIMEOUT(
            kairo::journey::countNear(screen(), at["dpiSlider1"].rect, accent) > 20, scaled(5000));
        QCOMPARE(kairo::journey::countNear(screen(), slider2, accent), 0);

        QString state;
        QCOMPARE(cli({"state"}, &state), 0);
        const QJsonObject firmware = QJsonDocument::fromJson(state.toUtf8()).object();
        QCOMPARE(firmware.value("protocolErrors").toInt(-1), 0);

        // e. the program ends when asked to
        kairo.terminate();
        QVERIFY(kairo.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(
            runTool("xdotool", {"search", "--name", "^ZENDRA KAIRO MOUSE K1$"}).trimmed().isEmpty(),
            scaled(5000));
        qInfo("%s journey took %lld ms", qPrintable(family), clock.elapsed());
    }
    // Host profiles from the Config panel and the top bar: a second profile
    // with a raised stage, a switch back to "Standard" that re-sends its
    // stages, lighting and buttons, then a deletion in the middle of the list
    // before switching to the last entry.
    void profiles_data() { journey_data(); }

    void profiles()
    {
        QFETCH(QString, family);
        QElapsedTimer clock;
        clock.start();
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        const QString config = path("modules/setting/apConfig.bin");
        QSettings(config, QSettings::IniFormat).setValue("mouse/keyCount", 14);
        // "Standard" gets lighting and a button 4 of its own, so what a switch
        // back sends can only have come from it.
        const QList<int> light{1, 3, 6, 1};
        {
            QSettings standard(profile(), QSettings::IniFormat);
            standard.setValue("mouseLight/lightValue", QStringList{"1", "3", "6", "1"});
            standard.setValue("mouseLight/colorIndex", 2);
            standard.setValue("mouseKeyMatrix/3", QStringList{"2", "1", "29", "0"});
        }
        const QByteArray standardLight =
            expectedLighting(light, iniInts(profile(), "mouseLight/colorValue"), 2);
        QCOMPARE(standardLight.size(), 50);
        const int dpiBase = iniValue(config, "mouse", "dpiBase").toInt();
        const QList<int> before = iniInts(profile(), "dpiValueArray");
        const QList<int> enables = iniInts(profile(), "dpiEnableArray");
        // A new profile starts as the factory profile.
        const QList<int> factoryValues = iniInts(factory(), "dpiValueArray");
        const QList<int> factoryEnables = iniInts(factory(), "dpiEnableArray");
        QList<int> raised = factoryValues;
        raised[1] += dpiBase;
        const QByteArray standardCodes = expectedCodes(family, before, enables);
        const QByteArray raisedCodes = expectedCodes(family, raised, factoryEnables);
        const QByteArray factoryCodes = expectedCodes(family, factoryValues, factoryEnables);
        QVERIFY(raisedCodes != factoryCodes && raisedCodes != standardCodes);

        QHash<QString, Place> at =
            places({"@BusyIndicator", "saveButton", "dpiPlus1", "dpiSlider0", "configButton",
                    "--click", "configButton", "profileNew", "profileRows", "profileDelete",
                    "profileClose", "profileDeleteConfirm/tooltipOk", "profileList"});
        for (const char *name : {"profileNew", "profileRows", "profileDelete", "profileClose",
                                 "profileDeleteConfirm/tooltipOk", "profileList"})
            QVERIFY2(at.contains(name), name);
        // The tool's scene has no profiles, so rows are placed by their pitch:
        // 44 pixels in the panel, 24 in the drop-down below its 24-pixel box.
        const auto panelRow = [&](int position) {
            const QRect rows = at["profileRows"].rect;
            return Place{QPoint(rows.center().x(), rows.top() + 20 + position * 44), QRect()};
        };
        const auto chooseProfile = [&](int position) {
            QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
            click(at["profileList"]);
            // The list ignores clicks while it slides open (under 0.2 s).
            QTest::qWait(400);
            const QRect box = at["profileList"].rect;
            click(Place{QPoint(box.center().x(), box.top() + 36 + position * 24), QRect()});
        };

        startUntilDrawn(at);
        if (QTest::currentTestFailed())
            return;

        // a. "profile_0" from Config, chosen in the top bar, stage 2 raised, Save
        click(at["configButton"]);
        click(at["profileNew"]);
        click(at["profileClose"]);
        QTRY_COMPARE_WITH_TIMEOUT(
            iniValue(path("modules/setting/name.bin"), "profile", "profileName"),
            QStringLiteral("Standard0, profile_01"), scaled(5000));
        chooseProfile(1);
        QTRY_COMPARE_WITH_TIMEOUT(iniValue(config, "mouse", "profileNo"), QStringLiteral("1"),
                                  scaled(5000));
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
        click(at["dpiPlus1"]);
        int from = lineCount(wireLog());
        click(at["saveButton"]);
        QTRY_VERIFY2_WITH_TIMEOUT(
            sentDpiCodes(commands(wireLog(), from), family).contains(raisedCodes),
            describe(sentDpiCodes(commands(wireLog(), from), family)), scaled(10000));
        QTRY_COMPARE_WITH_TIMEOUT(iniInts(path("modules/setting/p2.bin"), "dpiValueArray"), raised,
                                  scaled(5000));
        QCOMPARE(iniInts(profile(), "dpiValueArray"), before);

        // b. back to "Standard": its stages, lighting and button 4 again
        from = lineCount(wireLog());
        chooseProfile(0);
        QTRY_VERIFY2_WITH_TIMEOUT(
            sentDpiCodes(commands(wireLog(), from), family).contains(standardCodes),
            describe(sentDpiCodes(commands(wireLog(), from), family)), scaled(15000));
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
        QList<Command> sent = commands(wireLog(), from);
        QVERIFY(!sentDpiCodes(sent, family).contains(raisedCodes));
        const QList<QByteArray> lighting = sentLighting(sent);
        QVERIFY2(!lighting.isEmpty() && lighting.last().left(50) == standardLight,
                 lighting.isEmpty() ? "no lighting sent" : lighting.last().toHex(' ').constData());
        QVERIFY(anyRecord(sentMatrix1(sent, family), 3, QByteArray::fromHex("00011d00")));
        QCOMPARE(iniValue(config, "mouse", "profileNo"), QStringLiteral("0"));

        // c. "profile_1", then "profile_0" deleted from the middle: the last
        // entry sits at position 1 and still loads its own file, p3.bin
        click(at["configButton"]);
        click(at["profileNew"]);
        click(panelRow(1));
        click(at["profileDelete"]);
        click(at["profileDeleteConfirm/tooltipOk"]);
        click(at["profileClose"]);
        QTRY_COMPARE_WITH_TIMEOUT(
            iniValue(path("modules/setting/name.bin"), "profile", "profileName"),
            QStringLiteral("Standard0, profile_12"), scaled(5000));
        from = lineCount(wireLog());
        chooseProfile(1);
        QTRY_COMPARE_WITH_TIMEOUT(iniValue(config, "mouse", "profileNo"), QStringLiteral("2"),
                                  scaled(5000));
        QTRY_VERIFY2_WITH_TIMEOUT(
            sentDpiCodes(commands(wireLog(), from), family).contains(factoryCodes),
            describe(sentDpiCodes(commands(wireLog(), from), family)), scaled(15000));
        QVERIFY(!sentDpiCodes(commands(wireLog(), from), family).contains(raisedCodes));
        QCOMPARE(iniInts(path("modules/setting/p2.bin"), "dpiValueArray"), raised);

        QString state;
        QCOMPARE(cli({"state"}, &state), 0);
        QCOMPARE(QJsonDocument::fromJson(state.toUtf8()).object().value("protocolErrors").toInt(-1),
                 0);
        qInfo("%s profiles took %lld ms", qPrintable(family), clock.elapsed());
    }

    // In game mode: gun 1's Y typed in the gun editor reaches slot 1 when the
    // editor closes, the other slots follow in order, then the buttons.
    void gunEditor_data() { journey_data(); }

    void gunEditor()
    {
        QFETCH(QString, family);
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        QSettings(path("modules/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue("mouse/keyCount", 14);
        QSettings(profile(), QSettings::IniFormat).setValue("mouse/mouseMode", 1);
        QHash<QString, Place> at = places({"@BusyIndicator", "dpiSlider0", "gunEditorButton",
                                           "--click", "gunEditorButton", "gunY", "gunClose"});
        for (const char *name : {"gunEditorButton", "gunY", "gunClose"})
            QVERIFY2(at.contains(name), name);
        startUntilDrawn(at);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(idle(), scaled(10000));

        const int from = lineCount(wireLog());
        click(at["gunEditorButton"]);
        click(at["gunY"]);
        runTool("xdotool", {"windowfocus", "--sync", QString::number(window)});
        runTool("xdotool", {"key", "ctrl+a"});
        runTool("xdotool", {"type", "--delay", "60", "37"});
        runTool("xdotool", {"key", "Return"});
        click(at["gunClose"]);
        QTRY_COMPARE_WITH_TIMEOUT(iniValue(path("modules/gun/gunData.bin"), "gunData", "0"),
                                  QStringLiteral("M416, L-Click, 10, 0, 37, 0"), scaled(5000));

        // Slot by slot: times, X, Y as the mouse stores them.
        const bool second = family == QLatin1String("560");
        const quint8 matrixOpcode = second ? 0x0d : 0x12;
        QList<QByteArray> gunSlots;
        int matrixAfter = -1;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const QList<Command> sent = commands(wireLog(), from);
                gunSlots.clear();
                matrixAfter = -1;
                for (const Command &c : sent) {
                    if (second && c.opcode == 0x0c && c.bulk.size() >= 128
                        && quint8(c.params.at(0)) >= 2)
                        gunSlots << QByteArray(1, char(c.params.at(0) - 2)) + c.bulk.mid(78, 4);
                    else if (!second && c.opcode == 0x04)
                        gunSlots << QByteArray(1, c.params.at(4)) + QByteArray(1, char(0xf0))
                                        + c.params.mid(1, 3);
                    else if (c.opcode == matrixOpcode) {
                        matrixAfter = int(gunSlots.size());
                        break;
                    }
                }
                return matrixAfter == 3;
            }(),
            scaled(15000));
        QCOMPARE(gunSlots, (QList<QByteArray>{QByteArray::fromHex("00f0000025"),
                                              QByteArray::fromHex("01f000000a"),
                                              QByteArray::fromHex("02f000000a")}));
    }

    // The button page and the macro editor, by pointer and keyboard only:
    // Ctrl+Z and a media key on two buttons, Save; a macro recorded from
    // typed keys and bound to button 3; renamed, then deleted.
    void buttonsAndMacros_data() { journey_data(); }

    void buttonsAndMacros()
    {
        QFETCH(QString, family);
        QElapsedTimer clock;
        clock.start();
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        // The scene tool measures the list of a fourteen-button mouse.
        QSettings(path("modules/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue("mouse/keyCount", 14);

        const QString tree = QStringLiteral("macroEditorMain/macroTree");
        QHash<QString, Place> at =
            places({"@BusyIndicator", "saveButton", "tab0", "tab2", "dpiSlider0", "keyRow2",
                    "keyRow3", "keyRow4", "--click", "keyRow3", "menu_GroupFunction", "--click",
                    "menu_GroupFunction", "groupOk"});
        at.insert(places({"--click", "keyRow4", "menu_MediaFunction", "--click",
                          "menu_MediaFunction", "menu_Mute"}));
        at.insert(places({"--click", "keyRow2", "menu_MacroFunction", "--click",
                          "menu_MacroFunction", "macroKeyAssigment/macroTree", "macroOk"}));
        at.insert(places({"--click", "tab2", tree, "macroRecord", "macroDeleteConfirm/tooltipOk",
                          "--rclick", tree, "menuNewMacro", "menuRename", "menuDelete", "--click",
                          "menuNewMacro", "inputAssigmentField", "inputAssigmentOk"}));
        for (const char *name :
             {"groupOk", "menu_Mute", "macroOk", "menuNewMacro", "inputAssigmentOk",
              "macroDeleteConfirm/tooltipOk", "macroKeyAssigment/macroTree"})
            QVERIFY2(at.contains(name), name);
        // First rows of the two macro lists (26 pixels high, inside a small
        // margin), and the tree menu opened on the editor's first row: it
        // opens where it is asked for, so its entries keep their offsets.
        const auto firstRow = [](const Place &list) {
            return Place{QPoint(list.centre.x(), list.rect.top() + 14), QRect()};
        };
        const Place editorRow = firstRow(at[tree]);
        const Place pickerRow = firstRow(at["macroKeyAssigment/macroTree"]);
        const auto onRow = [&](const QString &entry) {
            return Place{at[entry].centre - at[tree].centre + editorRow.centre, QRect()};
        };

        startUntilDrawn(at);
        if (QTest::currentTestFailed())
            return;
        const QString id = QString::number(window);
        const auto keys = [&](const QStringList &args) {
            runTool("xdotool", {"windowfocus", "--sync", id});
            runTool("xdotool", args);
        };

        // a. Ctrl+Z on button 4, Mute on button 5, Save
        click(at["keyRow3"]);
        click(at["menu_GroupFunction"]);
        keys({"key", "--delay", "80", "ctrl+z"});
        click(at["groupOk"]);
        click(at["keyRow4"]);
        click(at["menu_MediaFunction"]);
        click(at["menu_Mute"]);
        int from = lineCount(wireLog());
        click(at["saveButton"]);
        const QByteArray ctrlZ = QByteArray::fromHex("00011d00");
        const QByteArray mute = QByteArray::fromHex("0300e200");
        QTRY_VERIFY_WITH_TIMEOUT(
            anyRecord(sentMatrix1(commands(wireLog(), from), family), 3, ctrlZ), scaled(10000));
        QVERIFY(anyRecord(sentMatrix1(commands(wireLog(), from), family), 4, mute));
        QTRY_COMPARE_WITH_TIMEOUT(iniInts(profile(), "mouseKeyMatrix/3"),
                                  (QList<int>{2, 1, 0x1d, 0}), scaled(5000));

        // b. a new macro, recorded from two typed keys
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
        click(at["tab2"]);
        runTool("xdotool",
                {"mousemove", "--sync", QString::number(origin.x() + at[tree].centre.x()),
                 QString::number(origin.y() + at[tree].centre.y()), "click", "3"});
        click(at["menuNewMacro"]);
        click(at["inputAssigmentField"]);
        keys({"type", "--delay", "60", "word"});
        click(at["inputAssigmentOk"]);
        const QString word = path("modules/macro/word.bin");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(word), scaled(5000));
        click(editorRow);
        // The keys come through the input hook, the clicks through the
        // window: on a loaded machine the hook may hand a key on after a
        // click that followed it at once, so the steps leave a person's pauses.
        click(at["macroRecord"]);
        QTest::qWait(scaled(300));
        keys({"type", "--delay", "120", "ab"});
        QTest::qWait(scaled(500));
        click(at["macroRecord"]);
        QStringList actions;
        QTRY_VERIFY_WITH_TIMEOUT((actions = macroLines(word).filter(QRegularExpression("^[1-4],")))
                                     == (QStringList{"1,A", "2,A", "1,B", "2,B"}),
                                 scaled(5000));
        QVERIFY2(macroLines(word).size() > actions.size(),
                 "typed with pauses, recorded with delays");

        // c. bound to button 3: the block in slot 2, the name in the profile
        click(at["tab0"]);
        from = lineCount(wireLog());
        click(at["keyRow2"]);
        click(at["menu_MacroFunction"]);
        click(pickerRow);
        click(at["macroOk"]);
        QList<QByteArray> blocks;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(blocks = sentMacroBlocks(commands(wireLog(), from), family, 2)).isEmpty(),
            scaled(10000));
        const QByteArray block = blocks.last();
        QCOMPARE(block.left(2), QByteArray::fromHex("0001"));
        QByteArray keyBytes;
        for (int i : {3, 5, 7, 9})
            keyBytes += block.at(i);
        QCOMPARE(keyBytes.toHex(), QByteArray("04040505"));
        QCOMPARE(quint8(block[4]) & 0x80, 0x80); // A's release
        QCOMPARE(block.mid(10, 2), QByteArray::fromHex("0000"));
        QCOMPARE(quint8(block[8]), 0x81); // the last action, a release
        QTRY_COMPARE_WITH_TIMEOUT(iniValue(profile(), "mouseMacroKey", "2"), QStringLiteral("word"),
                                  scaled(5000));
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
        from = lineCount(wireLog());
        click(at["saveButton"]);
        QTRY_VERIFY_WITH_TIMEOUT(anyRecord(sentMatrix1(commands(wireLog(), from), family), 2,
                                           QByteArray::fromHex("09000300")),
                                 scaled(10000));

        // d. renamed in the editor: the binding follows
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
        click(at["tab2"]);
        runTool("xdotool",
                {"mousemove", "--sync", QString::number(origin.x() + editorRow.centre.x()),
                 QString::number(origin.y() + editorRow.centre.y()), "click", "3"});
        click(onRow("menuRename"));
        click(at["inputAssigmentField"]);
        keys({"key", "ctrl+a"});
        keys({"type", "--delay", "60", "chord"});
        click(at["inputAssigmentOk"]);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path("modules/macro/chord.bin")), scaled(5000));
        QVERIFY(!QFile::exists(word));
        QTRY_COMPARE_WITH_TIMEOUT(iniValue(profile(), "mouseMacroKey", "2"),
                                  QStringLiteral("chord"), scaled(5000));

        // e. deleted: button 3 gets the middle button back on the wire
        from = lineCount(wireLog());
        runTool("xdotool",
                {"mousemove", "--sync", QString::number(origin.x() + editorRow.centre.x()),
                 QString::number(origin.y() + editorRow.centre.y()), "click", "3"});
        click(onRow("menuDelete"));
        click(at["macroDeleteConfirm/tooltipOk"]);
        QTRY_VERIFY_WITH_TIMEOUT(anyRecord(sentMatrix1(commands(wireLog(), from), family), 2,
                                           QByteArray::fromHex("0100f200")),
                                 scaled(10000));
        QVERIFY(!QFile::exists(path("modules/macro/chord.bin")));
        QTRY_COMPARE_WITH_TIMEOUT(iniInts(profile(), "mouseKeyMatrix/2"),
                                  (QList<int>{0, 0, 0xf2, 0}), scaled(5000));

        QString state;
        QCOMPARE(cli({"state"}, &state), 0);
        QCOMPARE(QJsonDocument::fromJson(state.toUtf8()).object().value("protocolErrors").toInt(-1),
                 0);
        qInfo("%s buttons and macros took %lld ms", qPrintable(family), clock.elapsed());
    }
};

QTEST_MAIN(Journey)
#include "test_journey.moc"
