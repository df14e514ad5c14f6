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

} // namespace

class Commands553Test : public QObject
{
    Q_OBJECT

    std::unique_ptr<LinkFixture> link;
    std::unique_ptr<DebugCapture> debug;

    Hid_Thread &hid() { return link->hid; }
    QList<int> &sleeps() { return link->clock.sleeps; }

    void expectCommand(const std::function<void()> &command, const QStringList &wire,
                       const QList<int> &expectedSleeps, const QStringList &debugLines)
    {
        ::expectCommand(*link, *debug, command, wire, expectedSleeps, debugLines);
    }

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

    void getCommandsSendTheQueryAndReturnTheReply()
    {
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.keyboardOption553 = fromHex("11 22 33 44");
        state.currentDpiStage = 5;
        kairo::sim::setState(0, state);

        uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        expectCommand([&] { hid().hid553_83H_GetKeyboardoption(b1, b2, b3, b4); },
                      {featureLine("00 83 00 00 00 00 00 00 7c")}, {}, {});
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({0x11, 0x22, 0x33, 0x44}));
        QCOMPARE(records(Direction::FeatureIn).size(), 1);

        uchar stage = 0;
        expectCommand([&] { hid().hid553_8BH_GetCurrentDPI(stage); },
                      {featureLine("00 8b 00 00 00 00 00 00 74")}, {}, {});
        QCOMPARE(stage, uchar(5));
    }

    void setCommandsWithoutBulkData()
    {
        const QList<int> settle{64, 64};
        expectCommand([&] { hid().hid553_01H_SetReportRate(5); },
                      {featureLine("00 01 05 00 00 00 00 00 f9")}, settle,
                      {QStringLiteral("hid553_01H_SetReportRate =  5 ")});
        QCOMPARE(kairo::sim::state(0).reportRate, 5);

        expectCommand([&] { hid().hid553_02H_SetCurrentKeyMatrix(3); },
                      {featureLine("00 02 03 00 00 00 00 00 fa")}, settle,
                      {QStringLiteral("hid553_02H_SetCurrentKeyMatrix =  3 ")});
        QCOMPARE(kairo::sim::state(0).activeKeyMatrix, 3);

        expectCommand([&] { hid().hid553_03H_SetKeyboardoption(1, 2, 3, 200); },
                      {featureLine("00 03 01 02 03 c8 00 00 2e")}, {8},
                      {QStringLiteral("hid553_03H_SetKeyboardoption , byte1-4 = 1 2 3 200 ")});
        QCOMPARE(kairo::sim::state(0).keyboardOption553, fromHex("01 02 03 c8"));

        expectCommand([&] { hid().hid553_04H_SetGunData(1, 2, 3, 4); },
                      {featureLine("00 04 00 01 02 03 04 00 f1")}, {8}, {});
        QCOMPARE(kairo::sim::state(0).gunData.value(kairo::sim::state(0).gunData.size() - 1, {}),
                 fromHex("01 02 03 04"));

        expectCommand([&] { hid().hid553_07H_Lod(9, 0); },
                      {featureLine("00 07 00 09 7d 00 00 00 72")}, settle, {});
        expectCommand([&] { hid().hid553_07H_Lod(9, 1); },
                      {featureLine("00 07 00 09 7d 01 00 00 71")}, settle, {});

        expectCommand([&] { hid().hid553_0BH_SetCurrentDPI(2); },
                      {featureLine("00 0b 02 00 00 00 00 00 f2")}, settle,
                      {QStringLiteral("hid553_0BH_SetCurrentDPI =  2 ")});
        QCOMPARE(kairo::sim::state(0).currentDpiStage, 2);

        uchar colour[3] = {10, 20, 30};
        expectCommand([&] { hid().hid553_0CH_SetFixLEDColor(colour); },
                      {featureLine("00 0c 0a 14 1e 00 00 00 b7")}, settle, {});
        QCOMPARE(kairo::sim::state(0).fixedColor, fromHex("0a 14 1e"));

        expectCommand([&] { hid().hid553_0DH_SetRGBLedEffect(1, 2, 3); },
                      {featureLine("00 0d 01 02 03 00 00 00 ec")}, settle,
                      {QStringLiteral("hid553_0DH_SetRGBLedEffect , effect =  1 2 3 ")});
    }

    void stageColoursCarryFourBytesForTypeTwoOnly()
    {
        QByteArray colours = pattern(24, 0x41);
        const QList<int> oneReport{64, 64, 120, 64, 64};
        expectCommand([&] { hid().hid553_10H_SetLED8StageColor(2, raw(colours)); },
                      {featureLine("00 10 02 04 00 00 00 00 e9"), outLine(colours.left(4))},
                      oneReport,
                      {QStringLiteral("hid553_10H_SetLED8StageColor , type =  2 ,src24 =  %1 ")
                           .arg(addressText(colours.constData())),
                       QStringLiteral("HID SUCCESS ")});
        QCOMPARE(kairo::sim::state(0).stageColorsType2, colours.left(4));

        expectCommand([&] { hid().hid553_10H_SetLED8StageColor(1, raw(colours)); },
                      {featureLine("00 10 01 18 00 00 00 00 d6"), outLine(colours)}, oneReport,
                      {QStringLiteral("hid553_10H_SetLED8StageColor , type =  1 ,src24 =  %1 ")
                           .arg(addressText(colours.constData())),
                       QStringLiteral("HID SUCCESS ")});
        QCOMPARE(kairo::sim::state(0).stageColors, colours);
    }

    void bulkCommandsSplitTheirPayloadIntoReports()
    {
        QByteArray codes = pattern(8, 1);
        expectCommand(
            [&] { hid().hid553_11H_SetDPISet(8, raw(codes)); },
            {featureLine("00 11 08 08 00 00 00 00 de"), outLine(codes)}, {64, 64, 120, 64, 64},
            {QStringLiteral("hid553_11H_SetDPISet ,dpiStage =  8 "),
             QStringLiteral("DPI - src8 =  1 2 3 4 5 6 7 8 "), QStringLiteral("HID SUCCESS ")});
        QCOMPARE(kairo::sim::state(0).dpiCodes, codes);

        QByteArray matrix = pattern(64, 0x80);
        expectCommand([&] { hid().hid553_12H_SetKeyMatrix(raw(matrix), 2); },
                      {featureLine("00 12 02 40 08 00 00 00 a3"), outLine(matrix.left(32)),
                       outLine(matrix.mid(32))},
                      {64, 64, 120, 120, 64, 64},
                      {QStringLiteral("hid553_12H_SetKeyMatrix , indexAddOne =  2 "),
                       QStringLiteral("HID SUCCESS ")});
        QCOMPARE(kairo::sim::state(0).keyMatrices[1], matrix);

        QByteArray macro = pattern(128, 7);
        expectCommand([&] { hid().hid553_13H_SetMacroKey(1, raw(macro)); },
                      {featureLine("00 13 01 80 00 00 00 00 6b"), outLine(macro.mid(0, 32)),
                       outLine(macro.mid(32, 32)), outLine(macro.mid(64, 32)),
                       outLine(macro.mid(96, 32))},
                      {64, 64, 120, 120, 120, 120, 64, 64},
                      {QStringLiteral("hid553_13H_SetMacroKey , macroId =  1 ,src128 =  %1 ")
                           .arg(addressText(macro.constData())),
                       QStringLiteral("HID SUCCESS ")});
        QCOMPARE(kairo::sim::state(0).macros[0], macro);

        QByteArray attributes = pattern(64, 0x30);
        expectCommand(
            [&] { hid().hid553_16H_SetSlaveAttritube(raw(attributes)); },
            {featureLine("00 16 00 40 00 00 00 00 a9"), outLine(attributes.left(32)),
             outLine(attributes.mid(32))},
            {64, 64, 120, 120, 64, 64},
            {QStringLiteral("hid553_16H_SetSlaveAttritube =  "), QStringLiteral("HID SUCCESS ")});
        QCOMPARE(kairo::sim::state(0).attributeBlock, attributes);
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
        auto send = [](std::function<void(Hid_Thread &)> command) {
            return [command](Hid_Thread &h) {
                command(h);
                return QList<int>();
            };
        };
        const QList<CommandStep> steps{
            {"83H",
             [](Hid_Thread &h) {
                 uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
                 h.hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
                 return QList<int>({b1, b2, b3, b4});
             }},
            {"8BH",
             [](Hid_Thread &h) {
                 uchar stage = 0;
                 h.hid553_8BH_GetCurrentDPI(stage);
                 return QList<int>({stage});
             }},
            {"01H", send([](Hid_Thread &h) { h.hid553_01H_SetReportRate(4); })},
            {"02H", send([](Hid_Thread &h) { h.hid553_02H_SetCurrentKeyMatrix(2); })},
            {"03H",
             send([](Hid_Thread &h) { h.hid553_03H_SetKeyboardoption(0x81, 0x7f, 0, 0x40); })},
            {"04H", send([](Hid_Thread &h) { h.hid553_04H_SetGunData(0xff, 1, 0x80, 2); })},
            {"07H", send([](Hid_Thread &h) { h.hid553_07H_Lod(3, 1); })},
            {"0BH", send([](Hid_Thread &h) { h.hid553_0BH_SetCurrentDPI(7); })},
            {"0CH", send([](Hid_Thread &h) {
                 uchar c[3] = {0xfe, 0, 0x11};
                 h.hid553_0CH_SetFixLEDColor(c);
             })},
            {"0DH", send([](Hid_Thread &h) { h.hid553_0DH_SetRGBLedEffect(4, 5, 6); })},
            {"10H type 2", send([](Hid_Thread &h) {
                 QByteArray c = pattern(24, 0xc0);
                 h.hid553_10H_SetLED8StageColor(2, raw(c));
             })},
            {"10H type 0", send([](Hid_Thread &h) {
                 QByteArray c = pattern(24, 0xd0);
                 h.hid553_10H_SetLED8StageColor(0, raw(c));
             })},
            {"11H", send([](Hid_Thread &h) {
                 QByteArray c = pattern(8, 0xf8);
                 h.hid553_11H_SetDPISet(6, raw(c));
             })},
            {"12H", send([](Hid_Thread &h) {
                 QByteArray m = pattern(64, 0x03);
                 h.hid553_12H_SetKeyMatrix(raw(m), 4);
             })},
            {"13H", send([](Hid_Thread &h) {
                 QByteArray m = pattern(128, 0xa0);
                 h.hid553_13H_SetMacroKey(12, raw(m));
             })},
            {"16H", send([](Hid_Thread &h) {
                 QByteArray a = pattern(64, 0x55);
                 h.hid553_16H_SetSlaveAttritube(raw(a));
             })},
            {"8BH after 0BH",
             [](Hid_Thread &h) {
                 uchar stage = 0;
                 h.hid553_8BH_GetCurrentDPI(stage);
                 return QList<int>({stage});
             }},
        };
        expectScrambledRunMatchesPlainRun(kairo::sim::DeviceConfig{}, QStringLiteral("q7Zr2x"),
                                          steps);
    }
};

QTEST_GUILESS_MAIN(Commands553Test)
#include "test_device_commands553.moc"
