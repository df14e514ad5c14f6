#include "tests/support/linkfixture.h"

#include <QTest>

#include <functional>
#include <memory>

using kairo::sim::Direction;

namespace {

QString addressText(const void *pointer)
{
    return QStringLiteral("0x") + QString::number(quintptr(pointer), 16);
}

QList<int> currentDpi(Hid_Thread &h)
{
    uchar stage = 0;
    h.hid553_8BH_GetCurrentDPI(stage);
    return {stage};
}

// Every command of the family, each row one call on a fresh mouse.
QList<CommandStep> commands553()
{
    using kairo::sim::FirmwareState;
    using kairo::sim::state;
    const QList<int> settle{64, 64};
    const QList<int> oneReport{64, 64, 120, 64, 64};
    const QString success = QStringLiteral("HID SUCCESS ");
    const auto colours = sharedPattern(24, 0x41);
    const auto otherColours = sharedPattern(24, 0xd0);
    const auto codes = sharedPattern(8, 1);
    const auto matrix = sharedPattern(64, 0x80);
    const auto macro = sharedPattern(128, 7);
    const auto attributes = sharedPattern(64, 0x30);
    return {
        queryStep(
            "83H", [](FirmwareState &s) { s.keyboardOption553 = fromHex("11 22 33 44"); },
            [](Hid_Thread &h) {
                uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
                h.hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
                return QList<int>({b1, b2, b3, b4});
            },
            {featureLine("00 83 00 00 00 00 00 00 7c")}, {0x11, 0x22, 0x33, 0x44},
            [] { QCOMPARE(records(Direction::FeatureIn).size(), 1); }),
        queryStep("8BH", [](FirmwareState &s) { s.currentDpiStage = 5; }, currentDpi,
                  {featureLine("00 8b 00 00 00 00 00 00 74")}, {5}),
        commandStep(
            "01H", [](Hid_Thread &h) { h.hid553_01H_SetReportRate(5); },
            {featureLine("00 01 05 00 00 00 00 00 f9")}, settle, {"hid553_01H_SetReportRate =  5 "},
            [] { QCOMPARE(state(0).reportRate, 5); }),
        commandStep(
            "02H", [](Hid_Thread &h) { h.hid553_02H_SetCurrentKeyMatrix(3); },
            {featureLine("00 02 03 00 00 00 00 00 fa")}, settle,
            {"hid553_02H_SetCurrentKeyMatrix =  3 "},
            [] { QCOMPARE(state(0).activeKeyMatrix, 3); }),
        commandStep(
            "03H", [](Hid_Thread &h) { h.hid553_03H_SetKeyboardoption(1, 2, 3, 200); },
            {featureLine("00 03 01 02 03 c8 00 00 2e")}, {8},
            {"hid553_03H_SetKeyboardoption , byte1-4 = 1 2 3 200 "},
            [] { QCOMPARE(state(0).keyboardOption553, fromHex("01 02 03 c8")); }),
        commandStep(
            "04H", [](Hid_Thread &h) { h.hid553_04H_SetGunData(1, 2, 3, 4); },
            {featureLine("00 04 00 01 02 03 04 00 f1")}, {8}, {},
            [] {
                QCOMPARE(state(0).gunData.value(state(0).gunData.size() - 1, {}),
                         fromHex("01 02 03 04"));
            }),
        commandStep(
            "07H off", [](Hid_Thread &h) { h.hid553_07H_Lod(9, 0); },
            {featureLine("00 07 00 09 7d 00 00 00 72")}, settle),
        commandStep(
            "07H on", [](Hid_Thread &h) { h.hid553_07H_Lod(9, 1); },
            {featureLine("00 07 00 09 7d 01 00 00 71")}, settle),
        commandStep(
            "0BH", [](Hid_Thread &h) { h.hid553_0BH_SetCurrentDPI(2); },
            {featureLine("00 0b 02 00 00 00 00 00 f2")}, settle, {"hid553_0BH_SetCurrentDPI =  2 "},
            [] { QCOMPARE(state(0).currentDpiStage, 2); }),
        commandStep(
            "0CH",
            [](Hid_Thread &h) {
                uchar colour[3] = {10, 20, 30};
                h.hid553_0CH_SetFixLEDColor(colour);
            },
            {featureLine("00 0c 0a 14 1e 00 00 00 b7")}, settle, {},
            [] { QCOMPARE(state(0).fixedColor, fromHex("0a 14 1e")); }),
        commandStep("0DH", [](Hid_Thread &h) { h.hid553_0DH_SetRGBLedEffect(1, 2, 3); },
                    {featureLine("00 0d 01 02 03 00 00 00 ec")}, settle,
                    {"hid553_0DH_SetRGBLedEffect , effect =  1 2 3 "}),
        // Type 2 carries four colour bytes, every other type all 24.
        commandStep(
            "10H type 2", [=](Hid_Thread &h) { h.hid553_10H_SetLED8StageColor(2, raw(*colours)); },
            {featureLine("00 10 02 04 00 00 00 00 e9"), outLine(colours->left(4))}, oneReport,
            {QStringLiteral("hid553_10H_SetLED8StageColor , type =  2 ,src24 =  %1 ")
                 .arg(addressText(colours->constData())),
             success},
            [=] { QCOMPARE(state(0).stageColorsType2, colours->left(4)); }),
        commandStep(
            "10H type 1", [=](Hid_Thread &h) { h.hid553_10H_SetLED8StageColor(1, raw(*colours)); },
            {featureLine("00 10 01 18 00 00 00 00 d6"), outLine(*colours)}, oneReport,
            {QStringLiteral("hid553_10H_SetLED8StageColor , type =  1 ,src24 =  %1 ")
                 .arg(addressText(colours->constData())),
             success},
            [=] { QCOMPARE(state(0).stageColors, *colours); }),
        commandStep(
            "10H type 0",
            [=](Hid_Thread &h) { h.hid553_10H_SetLED8StageColor(0, raw(*otherColours)); },
            {featureLine("00 10 00 18 00 00 00 00 d7"), outLine(*otherColours)}, oneReport,
            {QStringLiteral("hid553_10H_SetLED8StageColor , type =  0 ,src24 =  %1 ")
                 .arg(addressText(otherColours->constData())),
             success},
            [=] { QCOMPARE(state(0).stageColors, *otherColours); }),
        commandStep(
            "11H", [=](Hid_Thread &h) { h.hid553_11H_SetDPISet(8, raw(*codes)); },
            {featureLine("00 11 08 08 00 00 00 00 de"), outLine(*codes)}, oneReport,
            {"hid553_11H_SetDPISet ,dpiStage =  8 ", "DPI - src8 =  1 2 3 4 5 6 7 8 ", success},
            [=] { QCOMPARE(state(0).dpiCodes, *codes); }),
        commandStep(
            "12H", [=](Hid_Thread &h) { h.hid553_12H_SetKeyMatrix(raw(*matrix), 2); },
            {featureLine("00 12 02 40 08 00 00 00 a3"), outLine(matrix->left(32)),
             outLine(matrix->mid(32))},
            {64, 64, 120, 120, 64, 64}, {"hid553_12H_SetKeyMatrix , indexAddOne =  2 ", success},
            [=] { QCOMPARE(state(0).keyMatrices[1], *matrix); }),
        commandStep(
            "13H", [=](Hid_Thread &h) { h.hid553_13H_SetMacroKey(1, raw(*macro)); },
            {featureLine("00 13 01 80 00 00 00 00 6b"), outLine(macro->mid(0, 32)),
             outLine(macro->mid(32, 32)), outLine(macro->mid(64, 32)), outLine(macro->mid(96, 32))},
            {64, 64, 120, 120, 120, 120, 64, 64},
            {QStringLiteral("hid553_13H_SetMacroKey , macroId =  1 ,src128 =  %1 ")
                 .arg(addressText(macro->constData())),
             success},
            [=] { QCOMPARE(state(0).macros[0], *macro); }),
        commandStep(
            "16H", [=](Hid_Thread &h) { h.hid553_16H_SetSlaveAttritube(raw(*attributes)); },
            {featureLine("00 16 00 40 00 00 00 00 a9"), outLine(attributes->left(32)),
             outLine(attributes->mid(32))},
            {64, 64, 120, 120, 64, 64}, {"hid553_16H_SetSlaveAttritube =  ", success},
            [=] { QCOMPARE(state(0).attributeBlock, *attributes); }),
    };
}

} // namespace

class Commands553Test : public QObject
{
    Q_OBJECT

    std::unique_ptr<LinkFixture> link;
    std::unique_ptr<DebugCapture> debug;

    Hid_Thread &hid() { return link->hid; }

private slots:
    void init()
    {
        link = std::make_unique<LinkFixture>();
        debug = std::make_unique<DebugCapture>();
    }

    void cleanup()
    {
        debug.reset();
        link.reset();
    }

    void commandOnTheWire_data() { addStepRows(commands553()); }

    void commandOnTheWire()
    {
        QFETCH(int, step);
        expectStep(*link, *debug, commands553().at(step));
    }

    // Sleeps, HID calls and debug lines in the order they happen.
    void dpiSetSequenceInterleavesPausesAndReports()
    {
        QStringList trace;
        struct TraceClock : HidClock {
            QStringList *trace;
            void sleepMs(int ms) override { *trace << QStringLiteral("sleep %1").arg(ms); }
        } clock;
        clock.trace = &trace;
        hid().setClock(&clock);
        kairo::sim::setApiHook([&](const char *function) {
            const QString name = QString::fromLatin1(function);
            if (name == QLatin1String("hid_send_feature_report")
                || name == QLatin1String("hid_write"))
                trace << name;
        });
        QByteArray codes = pattern(8, 1);
        hid().hid553_11H_SetDPISet(8, raw(codes));
        QCOMPARE(trace, QStringList({"hid_send_feature_report", "sleep 64", "sleep 64", "hid_write",
                                     "sleep 120", "sleep 64", "sleep 64"}));
        QCOMPARE(debug->lines().last(), QStringLiteral("HID SUCCESS "));
    }

    void scrambledDeviceGetsScrambledCommandBlocks()
    {
        kairo::sim::DeviceConfig device;
        device.isEncode = true;
        device.sCode = QStringLiteral("424242");
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{device});
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.currentDpiStage = 6;
        kairo::sim::setState(0, state);

        uchar stage = 0;
        hid().hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(stage, uchar(6));
        QList<kairo::sim::WireRecord> sent = records(Direction::FeatureOut);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(hexBytes(sent[0].bytes), QStringLiteral("00 b5 a8 66 b8 ac 1d 46 96"));
        QCOMPARE(hexBytes(sent[0].plain), QStringLiteral("00 8b 00 00 00 00 00 00 74"));

        kairo::sim::clearWireLog();
        QByteArray codes = pattern(8, 1);
        hid().hid553_11H_SetDPISet(8, raw(codes));
        sent = records(Direction::FeatureOut);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(hexBytes(sent[0].bytes), QStringLiteral("00 b5 ad b6 b8 e8 6d 46 d6"));
        // Bulk data goes out as it is.
        const QList<kairo::sim::WireRecord> bulk = records(Direction::Out);
        QCOMPARE(bulk.size(), 1);
        QCOMPARE(QStringLiteral("O ") + hexBytes(bulk[0].bytes), outLine(codes));
        QCOMPARE(kairo::sim::state(0).dpiCodes, codes);
        QCOMPARE(kairo::sim::state(0).protocolErrors, 0);
    }

    void everyCommandScrambledCarriesThePlainBlock()
    {
        const QList<CommandStep> steps =
            commands553() + QList<CommandStep>{{"8BH after 0BH", currentDpi}};
        expectScrambledRunMatchesPlainRun(kairo::sim::DeviceConfig{}, QStringLiteral("q7Zr2x"),
                                          steps);
    }
};

QTEST_GUILESS_MAIN(Commands553Test)
#include "test_device_commands553.moc"
