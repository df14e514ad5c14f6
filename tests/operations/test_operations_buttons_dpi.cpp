// Button assignments and DPI settings, sent to the virtual mouse of both
// families with and without scrambling: the checks read what the firmware
// model stored, not what our code built.
#include "tests/support/operationsrig.h"

#include "operations/balloontext.h"
#include "settings/dpiswitchtexts.h"

#include <QtTest>

#include <climits>

using namespace rig;

namespace {

// Office-mode assignments covering every conversion, and the firmware record
// the mouse must hold at each position (records 3 and 4 change places, 6 and
// 7 are fixed).
struct Assignment {
    const char *ui;
    const char *firmware553;
    const char *firmware560;
};

const Assignment mixedMatrix[16] = {
    {"00 00 F2 00", "01 00 F2 00", "01 00 F2 00"}, // middle button
    {"00 F0 1E 02", "0A F0 1E 02", "0A F0 1E 02"}, // double fire
    {"04 02 00 00", "09 02 01 00", "09 02 01 00"}, // macro 0, repeat while held
    {"06 00 94 01", "00 04 2C 1B", "00 04 2C 1B"}, // my pc, holds position 4's record
    {"06 04 2C 1B", "03 00 94 01", "03 00 94 01"}, // alt+space+x, holds position 3's
    {"05 00 04 00", "07 00 04 01", "0B 00 01 01"}, // sniper key
    {"08 00 02 00", "0B 07 00 00", "0B 07 00 00"}, // a gun key here is overwritten
    {"02 01 1D 00", "05 00 01 00", "05 00 01 00"}, // overwritten as well
    {"01 1D 0A 05", "0A 1D 0A 05", "0A 1D 0A 05"}, // fire
    {"02 01 1D 00", "00 01 1D 00", "00 01 1D 00"}, // ctrl+z
    {"03 00 CD 00", "03 00 CD 00", "03 00 CD 00"}, // play/pause
    {"07 00 E0 16", "00 00 E0 16", "00 00 E0 16"}, // save
    {"05 00 01 00", "07 00 01 00", "07 00 01 00"}, // dpi+
    {"06 00 E3 07", "00 00 E3 07", "00 00 E3 07"}, // desktop
    {"FF 00 01 00", "04 00 01 00", "04 00 01 00"}, {"FF 00 02 00", "04 00 02 00", "04 00 02 00"},
};

QVariantList valuesOf(const QByteArray &bytes)
{
    QVariantList values;
    for (char b : bytes)
        values << int(uchar(b));
    return values;
}

QVariantList mixedValues()
{
    QByteArray all;
    for (const Assignment &a : mixedMatrix)
        all += fromHex(a.ui);
    return valuesOf(all);
}

QByteArray mixedFirmware(bool second)
{
    QByteArray all;
    for (const Assignment &a : mixedMatrix)
        all += fromHex(second ? a.firmware560 : a.firmware553);
    return all;
}

// Left click everywhere but position 5, which switches through n guns.
QVariantList gunValues(int n)
{
    QByteArray all;
    for (int button = 0; button < 16; ++button)
        all += button == 5 ? fromHex("08 00 00 00") : fromHex("00 00 F0 00");
    all[4 * 5 + 2] = char(n);
    return valuesOf(all);
}

QList<int> ints(const QVariantList &values)
{
    QList<int> result;
    for (const QVariant &v : values)
        result << v.toInt();
    return result;
}

QByteArray record(const QByteArray &matrix, int button)
{
    return matrix.mid(4 * button, 4);
}

} // namespace

class TestOperationsButtonsDpi : public QObject
{
    Q_OBJECT

private:
    static bool second(const Rig &r) { return r.model.family == "560"; }
    static char matrixOpcode(const Rig &r) { return second(r) ? 0x0D : 0x12; }

private slots:
    void initTestCase_data();
    void initTestCase()
    {
        // The lines these tests wait for are off unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("kairo.debug=true"));
    }

    void keyMatrixStoredWithoutSending();
    void keyMatrixConvertedAndSentAlone();
    void gameModeMatrixSent();
    void gunSwitchSendsFourMatrices_data();
    void gunSwitchSendsFourMatrices();
    void switchAndResetKeyMatrix();
    void keyDefinitionsReadBack();

    void dpiStagesFirstFamily();
    void dpiStagesSecondFamily_data();
    void dpiStagesSecondFamily();
    void currentStageReportRateAndLiftOff();
    void balloonTextPerStage();
    void actionOutcomes_data();
    void actionOutcomes();
    void matrixNumbersOutsideOneToFourRefused_data();
    void matrixNumbersOutsideOneToFourRefused();
    void stagesOutsideTheProfileRead_data();
    void stagesOutsideTheProfileRead();
    void withoutALinkNothingIsSentOrTaken();
};

void TestOperationsButtonsDpi::initTestCase_data()
{
    addFamilyRows();
}

void TestOperationsButtonsDpi::keyMatrixStoredWithoutSending()
{
    Rig r(model());
    QVariantList game = gunValues(2);
    r.operations->buttons.mouseSetKeyMatrix(1, mixedValues(), game, false, list({10, 20, 30}));
    QVERIFY(r.commands().isEmpty());
    QCOMPARE(r.store->getData("mouse/mouseMode", false).toInt(), 1);
    QCOMPARE(ints(r.store->getDataList("mouseKeyMatrix/6", false)), QList<int>({8, 0, 2, 0}));
    QCOMPARE(ints(r.operations->buttons.mouseGetKeydefine(0, 3, false)),
             QList<int>({6, 0, 0x94, 1}));
    QCOMPARE(ints(r.operations->buttons.mouseGetKeydefine(1, 5, false)), QList<int>({8, 0, 2, 0}));
    QCOMPARE(ints(r.operations->buttons.mouseGetKeydefine(1, 4, false)),
             QList<int>({0, 0, 0xF0, 0}));

    // A short list stores zeros for what it lacks.
    r.operations->buttons.mouseSetKeyMatrix(0, list({1, 2, 3, 4, 5}), {}, false, {});
    QCOMPARE(ints(r.operations->buttons.mouseGetKeydefine(0, 1, false)), QList<int>({5, 0, 0, 0}));
    QCOMPARE(ints(r.operations->buttons.mouseGetKeydefine(1, 15, false)), QList<int>({0, 0, 0, 0}));
    QCOMPARE(r.store->getData("mouse/mouseMode", false).toInt(), 0);
    QVERIFY(r.commands().isEmpty());
}

void TestOperationsButtonsDpi::keyMatrixConvertedAndSentAlone()
{
    Rig r(model(true));
    const auto before = r.state();
    r.operations->buttons.mouseSetKeyMatrix(0, mixedValues(), gunValues(3), true,
                                            list({10, 20, 30}));
    const auto after = r.state();
    QCOMPARE(after.keyMatrices[0], mixedFirmware(second(r)));
    QCOMPARE(after.keyMatrices[1], before.keyMatrices[1]);
    const QList<QByteArray> sent = r.commands();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent[0][1], matrixOpcode(r));
    QCOMPARE(int(sent[0][2]), 1);
    QCOMPARE(after.protocolErrors, 0);
}

void TestOperationsButtonsDpi::gameModeMatrixSent()
{
    Rig r(model());
    QVariantList game = mixedValues();
    game[0] = 0x00;
    game[1] = 0x00;
    game[2] = 0xF4;
    game[3] = 0x00;
    r.operations->buttons.mouseSetKeyMatrix(QString("1"), gunValues(1), game, true, {});
    QCOMPARE(record(r.state().keyMatrices[0], 0), fromHex("01 00 F4 00"));
    QCOMPARE(record(r.state().keyMatrices[0], 1), fromHex("0A F0 1E 02"));
}

void TestOperationsButtonsDpi::gunSwitchSendsFourMatrices_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("records553"); // position 5 in matrices 1 to 4
    QTest::addColumn<QByteArray>("records560");
    QTest::addColumn<int>("mask");
    // On the second family the gun matrices keep bytes 1 and 3 of the
    // firmware default (07 00 01 00).
    QTest::newRow("one") << 1 << fromHex("08 00 01 01  08 00 01 00  08 00 01 00  08 00 01 00")
                         << fromHex("08 00 01 00  08 00 00 00  08 00 00 00  08 00 00 00") << 0x07;
    QTest::newRow("two") << 2 << fromHex("08 00 01 01  08 00 01 02  08 00 01 00  08 00 01 00")
                         << fromHex("08 00 01 00  08 00 03 00  08 00 00 00  08 00 00 00") << 0x0F;
    QTest::newRow("three") << 3 << fromHex("08 00 01 01  08 00 01 02  08 00 01 03  08 00 01 00")
                           << fromHex("08 00 01 00  08 00 03 00  08 00 03 00  08 00 00 00") << 0x1F;
}

void TestOperationsButtonsDpi::gunSwitchSendsFourMatrices()
{
    QFETCH(int, n);
    QFETCH(QByteArray, records553);
    QFETCH(QByteArray, records560);
    QFETCH(int, mask);
    Rig r(model(true));
    const QByteArray gunRecords = second(r) ? records560 : records553;
    r.operations->buttons.mouseSetKeyMatrix(1, mixedValues(), gunValues(n), true,
                                            list({25, 40, 300}));
    const auto s = r.state();
    for (int m = 0; m < 4; ++m)
        QCOMPARE(record(s.keyMatrices[m], 5), gunRecords.mid(4 * m, 4));
    QCOMPARE(record(s.keyMatrices[0], 0), fromHex("01 00 F0 00"));
    QCOMPARE(record(s.keyMatrices[1], 0), fromHex("0B 00 19 00"));
    QCOMPARE(record(s.keyMatrices[2], 0), fromHex("0B 01 28 00"));
    QCOMPARE(record(s.keyMatrices[3], 0), fromHex("0B 02 2C 00")); // 300 cut to 8 bits
    // The rest of the gun matrices is the stored firmware default.
    QCOMPARE(record(s.keyMatrices[2], 1), fromHex("01 00 F1 00"));
    QCOMPARE(record(s.keyMatrices[3], 14), fromHex("04 00 01 00"));
    QCOMPARE(record(s.keyMatrices[1], 6), fromHex("0B 07 00 00"));

    const QString m = second(r) ? "0d" : "12";
    QStringList expected = {m + ":1", m + ":2", m + ":3", m + ":4", "02:1"};
    if (second(r)) {
        expected.prepend("0c:0");
        QCOMPARE(int(uchar(s.profiles[0][2])), mask);
        QCOMPARE(s.profiles[0],
                 QByteArray(reinterpret_cast<const char *>(r.operations->images().image(0).data()),
                            128));
        QCOMPARE(s.currentProfile, 1);
    } else {
        QCOMPARE(s.activeKeyMatrix, 1);
    }
    QCOMPARE(r.commandSummary(), expected);
}

void TestOperationsButtonsDpi::switchAndResetKeyMatrix()
{
    Rig r(model());
    r.operations->buttons.mouseSwitchKeyMatrix(1);
    if (second(r))
        QCOMPARE(r.state().currentProfile, 1);
    else
        QCOMPARE(r.state().activeKeyMatrix, 0);
    r.operations->buttons.mouseSwitchKeyMatrix(3);
    if (second(r))
        QCOMPARE(r.state().currentProfile, 3);
    else
        QCOMPARE(r.state().activeKeyMatrix, 2);
    QCOMPARE(r.commands().size(), 2);

    r.store->setDataList("mouseFwKeyMatrix/3", list({0x02, 0x05})); // short: the rest is 0
    const auto before = r.state();
    kairo::sim::clearWireLog();
    r.operations->buttons.mouseResetKeyMatrix();
    const auto after = r.state();
    QByteArray defaults =
        fromHex("01 00 F0 00 01 00 F1 00 01 00 F2 00 02 05 00 00 01 00 F4 00 07 00 01 00"
                "0B 07 00 00 05 00 01 00");
    defaults += QByteArray(24, '\0') + fromHex("04 00 01 00 04 00 02 00");
    QCOMPARE(after.keyMatrices[0], before.keyMatrices[0]);
    QCOMPARE(after.keyMatrices[1], defaults);
    QCOMPARE(after.keyMatrices[2], defaults);
    QCOMPARE(after.keyMatrices[3], defaults);
    const QString m = second(r) ? "0d" : "12";
    QCOMPARE(r.commandSummary(), QStringList({m + ":2", m + ":3", m + ":4"}));
}

void TestOperationsButtonsDpi::keyDefinitionsReadBack()
{
    Rig r(model());
    r.store->setDataList("mouseKeyMatrix/2", list({3, 0, 0xB7, 0}));
    r.store->setDataList("mouseKeyMatrix2/2", list({5, 0, 3, 0}));
    QCOMPARE(r.operations->buttons.mouseGetKeydefine(0, 2, false).value(2).toInt(), 0xB7);
    QCOMPARE(
        r.operations->buttons.mouseGetKeydefine(QString("1"), QString("2"), false).value(2).toInt(),
        3);
    // The factory profile still has the shipped middle button.
    QCOMPARE(r.operations->buttons.mouseGetKeydefine(0, 2, true).value(2).toInt(), 0xF2);
    QVERIFY(r.operations->buttons.mouseGetKeydefine(0, 16, false).isEmpty());
    QVERIFY(r.commands().isEmpty());
}

void TestOperationsButtonsDpi::dpiStagesFirstFamily()
{
    if (secondFamilyRun())
        QSKIP("first-family DPI command");
    Rig r(model(true));
    // The stage count argument and a missing enable value change nothing
    // but the stages they name.
    r.operations->dpi.mouseSetDpi(2, "3320", list({500, 1000, 2000, 7000, 7001, 3000}),
                                  list({1, 1, 0, 1, 1}));
    auto s = r.state();
    QCOMPARE(s.dpiCodes, fromHex("21 22 80 2E 00 80 00 00"));
    QCOMPARE(s.dpiStageCount, 8);

    kairo::sim::clearWireLog();
    r.operations->dpi.mouseSetDpi(8, "3389", list({12750, 12800, 16000, 100, 50, 400, 800, 1600}),
                                  list({1, 1, 1, 1, 1, 1, 1, 1}));
    s = r.state();
    QCOMPARE(s.dpiCodes, fromHex("FF 00 40 02 01 08 10 20"));
    QCOMPARE(r.commandSummary(), QStringList({"11:8"})); // the mask has no place here
}

void TestOperationsButtonsDpi::dpiStagesSecondFamily_data()
{
    QTest::addColumn<bool>("isGun");
    QTest::newRow("without gun") << false;
    QTest::newRow("with gun") << true;
}

void TestOperationsButtonsDpi::dpiStagesSecondFamily()
{
    if (!secondFamilyRun())
        QSKIP("second-family device profiles");
    QFETCH(bool, isGun);
    Rig r(model(isGun));
    const auto before = r.state();
    r.operations->dpi.mouseSetDpi(4, "3389", list({400, 12800, 16000, 12750, 800}),
                                  list({0, 0, 0, 0}));
    const auto s = r.state();
    const QByteArray codes = fromHex("08 00 40 FF 10 00 00 00");
    QCOMPARE(s.profiles[1].mid(84, 8), codes);
    QCOMPARE(s.profiles[1].mid(92, 8), codes);
    QCOMPARE(int(uchar(s.profiles[1][100])), 0x0F);
    QCOMPARE(int(uchar(s.profiles[1][82])), 0x06);
    QCOMPARE(int(uchar(s.profiles[1][83])), 0x06);
    if (isGun) {
        QCOMPARE(r.commandSummary(), QStringList({"0c:1", "0c:2", "0c:3", "0c:4"}));
        QCOMPARE(s.profiles[4].mid(84, 8), codes);
    } else {
        QCOMPARE(r.commandSummary(), QStringList({"0c:1"}));
        QCOMPARE(s.profiles[4], before.profiles[4]);
    }
    QCOMPARE(s.profiles[0], before.profiles[0]);

    // Another sensor leaves the ninth-bit bytes as they were.
    r.operations->dpi.mouseSetDpi(8, "3360", list({16000}), {});
    QCOMPARE(int(uchar(r.state().profiles[1][84])), 159);
    QCOMPARE(int(uchar(r.state().profiles[1][82])), 0x06);
    QCOMPARE(int(uchar(r.state().profiles[1][100])), 0xFF);
}

void TestOperationsButtonsDpi::currentStageReportRateAndLiftOff()
{
    Rig r(model());
    r.operations->dpi.mouseSetCurrentDPI(3);
    r.operations->dpi.mouseSetReportRate(2);
    QTest::ignoreMessage(QtDebugMsg, "test 110 0 ");
    r.operations->dpi.mouseSetLodValue(110, 0);
    auto s = r.state();
    if (second(r)) {
        // Without the gun function every profile gets the value.
        QCOMPARE(s.profileDpiStage[1], 3);
        QCOMPARE(s.profileDpiStage[4], 3);
        QCOMPARE(s.profileReportRate[2], 2);
        QCOMPARE(s.liftOff, 0); // disabled: the value is not sent
    } else {
        QCOMPARE(s.currentDpiStage, 3);
        QCOMPARE(s.reportRate, 2);
        QCOMPARE(s.liftOff, 110);
        QVERIFY(!s.liftOffEnabled);
    }
    QCOMPARE(r.operations->dpi.mouseGetCurrentDPI().toInt(), 3);

    r.operations->dpi.mouseSetLodValue(95, 1);
    QCOMPARE(r.state().liftOff, 95);

    kairo::sim::setMuted(0, true);
    QCOMPARE(r.operations->dpi.mouseGetCurrentDPI().toInt(), 0);
    QCOMPARE(r.operations->dpi.mouseGetCurrentDPI().typeId(), int(QMetaType::Int));
}

void TestOperationsButtonsDpi::balloonTextPerStage()
{
    const QStringList saved = dpiSwitchTexts();
    dpiSwitchTexts() = {"s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8"};
    QCOMPARE(dpiSwitchBalloonText(1), QString("s1 "));
    QCOMPARE(dpiSwitchBalloonText(7), QString("s7 "));
    QCOMPARE(dpiSwitchBalloonText(8), QString("s8 "));
    QCOMPARE(dpiSwitchBalloonText(0), QString("s8 "));
    QCOMPARE(dpiSwitchBalloonText(9), QString("s8 "));
    QCOMPARE(dpiSwitchBalloonText(-3), QString("s8 "));
    dpiSwitchTexts() = saved;
    QCOMPARE(dpiSwitchBalloonText(2), saved.value(1) + " ");
}

// One action (the DPI page's Save: stages, then colours) against a mouse that
// takes everything, goes away after one command, stalls every reply past the
// bound, or whose profile images cannot be read.
void TestOperationsButtonsDpi::actionOutcomes_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<ActionOutcome>("outcome");
    QTest::newRow("none") << "" << ActionOutcome::Done;
    QTest::newRow("unplugged after one command") << "unplug" << ActionOutcome::NotTaken;
    QTest::newRow("every reply late") << "stall" << ActionOutcome::NoAnswer;
    QTest::newRow("images unreadable") << "unread" << ActionOutcome::NotRead;
}

void TestOperationsButtonsDpi::actionOutcomes()
{
    QFETCH(QString, trouble);
    QFETCH(ActionOutcome, outcome);
    if (trouble == "unread" && !secondFamilyRun())
        QSKIP("only second-family mice keep device profiles");
    Rig r(model(true, true));
    const auto before = r.state();
    constexpr int stallMs = Hid_Thread::replyBoundMs + 100;
    if (trouble == "unplug")
        kairo::sim::setUnplugAfter(0, 1);
    if (trouble == "stall")
        kairo::sim::setStallMs(0, stallMs);
    if (trouble == "unread") {
        r.operations->images().forgetAll();
        kairo::sim::setFailProfileReads(0, 100);
    }
    QElapsedTimer clock;
    clock.start();
    r.operations->beginAction();
    const bool stagesTaken = r.operations->dpi.mouseSetDpi(
        4, "3320", list({400, 800, 1600, 3200, 4000, 5000, 6000, 7000}), list({1, 1, 1, 1}));
    const bool coloursTaken = r.operations->lighting.mouseSetRGBColor(1, QVariantList(24, 0x40));
    QCOMPARE(r.operations->endAction(), outcome);
    QCOMPARE(stagesTaken && coloursTaken, outcome == ActionOutcome::Done);

    if (trouble == "stall") {
        // One reply waited for, the rest of the action not sent at all.
        QVERIFY2(clock.elapsed() < 2 * stallMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(r.commands().size(), 1);
        kairo::sim::setStallMs(0, 0);
        QVERIFY(r.operations->dpi.mouseSetCurrentDPI(2)); // the next action starts afresh
    }
    if (trouble == "unread") {
        QCOMPARE(r.commandSummary().filter(QRegularExpression("^0c")), QStringList());
        QCOMPARE(r.state().profiles, before.profiles);
    }
}

void TestOperationsButtonsDpi::matrixNumbersOutsideOneToFourRefused_data()
{
    QTest::addColumn<int>("matrix");
    QTest::addColumn<bool>("sent");
    QTest::newRow("INT_MIN") << INT_MIN << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("4") << 4 << true;
    QTest::newRow("5") << 5 << false;
    QTest::newRow("256") << 256 << false;
    QTest::newRow("INT_MAX") << INT_MAX << false;
}

void TestOperationsButtonsDpi::matrixNumbersOutsideOneToFourRefused()
{
    QFETCH(int, matrix);
    QFETCH(bool, sent);
    Rig r(model());
    QCOMPARE(r.operations->buttons.mouseSwitchKeyMatrix(matrix), sent);
    QCOMPARE(r.commands().size(), sent ? 1 : 0);
}

void TestOperationsButtonsDpi::stagesOutsideTheProfileRead_data()
{
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("shown");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("8") << 8 << 8;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("9") << 9 << 0;
    QTest::newRow("200") << 200 << 0;
    QTest::newRow("255") << 255 << 0;
}

void TestOperationsButtonsDpi::stagesOutsideTheProfileRead()
{
    QFETCH(int, reported);
    QFETCH(int, shown);
    Rig r(model());
    auto s = r.state();
    s.currentDpiStage = reported;
    s.profileDpiStage.fill(reported);
    r.setState(s);
    QCOMPARE(r.operations->dpi.mouseGetCurrentDPI().toInt(), shown);
    QCOMPARE(r.operations->dpi.isKnownStage(reported), shown != 0);
}

// Before the program attaches its device link, every operation still stores
// what it stores, sends nothing and says that nothing was taken.
void TestOperationsButtonsDpi::withoutALinkNothingIsSentOrTaken()
{
    Rig r(model(true, true));
    r.operations->attachHid(nullptr);
    const auto before = r.state();
    DeviceOperations &o = *r.operations;
    QVERIFY(!o.buttons.mouseSetKeyMatrix(0, mixedValues(), gunValues(2), true, list({1, 2, 3})));
    QCOMPARE(ints(o.buttons.mouseGetKeydefine(0, 3, false)), QList<int>({6, 0, 0x94, 1}));
    QVERIFY(!o.buttons.mouseSetKeyMatrix(1, mixedValues(), gunValues(2), true, list({1, 2, 3})));
    QVERIFY(!o.buttons.mouseSwitchKeyMatrix(2));
    QVERIFY(!o.buttons.mouseResetKeyMatrix());
    QVERIFY(!o.dpi.mouseSetDpi(4, "3320", list({400, 800, 1600, 3200}), list({1, 1, 1, 1})));
    QVERIFY(!o.dpi.mouseSetCurrentDPI(2));
    QCOMPARE(o.dpi.mouseGetCurrentDPI().toInt(), 0);
    QVERIFY(!o.dpi.mouseSetReportRate(2));
    QVERIFY(!o.dpi.mouseSetLodValue(2, 1));
    QVERIFY(!o.guns.mouseSendGundata(1, list({1, 2, 3})));
    QCOMPARE(ints(o.guns.GetKeyboardoption()), QList<int>({0, 0, 0, 0}));
    QVERIFY(!o.guns.mouseSetKeyboardoption(1, 2, 3, 4));
    QVERIFY(!o.lighting.mouseSetRGBEffect(1, 2, 3));
    QVERIFY(!o.lighting.mouseSetRGBColor(1, QVariantList(24, 0x40)));
    QVERIFY(!o.lighting.mouseSetLedType(1, 2, 3, 0, QVariantList(45, 0x10)));
    QVERIFY(!o.lighting.chkIsLogoLedWork());
    QVERIFY(!o.macros.mouseSendMacroData(list({0, 1, 1, 4, 0x81, 4, 0, 0}), 0).toBool());
    QCOMPARE(o.profiles.mouseReadCurrentProfile().toInt(), 0);
    QVERIFY(!o.profiles.mouseSetProfile(1));
    QVERIFY(r.commands().isEmpty());
    QCOMPARE(r.state().keyMatrices, before.keyMatrices);
}

QTEST_GUILESS_MAIN(TestOperationsButtonsDpi)
#include "test_operations_buttons_dpi.moc"
