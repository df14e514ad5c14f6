#include "tests/support/linkfixture.h"

#include <QTest>

#include <functional>
#include <memory>

using kairo::sim::Direction;

namespace {

QStringList bulkLines(const QByteArray &block128)
{
    QStringList lines;
    for (int offset = 0; offset < 128; offset += 32)
        lines << outLine(block128.mid(offset, 32));
    return lines;
}

kairo::sim::DeviceConfig secondFamily()
{
    kairo::sim::DeviceConfig device;
    device.family = QStringLiteral("560");
    return device;
}

QList<int> currentDpi(Hid_Thread &h)
{
    uchar which = 2, stage = 0;
    h.hid560_84H_GetCurrentDPI(which, stage);
    return {which, stage};
}

QList<int> bytesOf(const QByteArray &image)
{
    QList<int> bytes;
    for (char c : image)
        bytes << quint8(c);
    return bytes;
}

std::function<QList<int>(Hid_Thread &)> readProfile(uchar number)
{
    return [number](Hid_Thread &h) {
        QByteArray image(128, '\x55');
        h.hid560_8CH_readProfile(raw(image), number);
        return bytesOf(image);
    };
}

// Every command of the family, each row one call on a fresh mouse.
QList<CommandStep> commands560()
{
    using kairo::sim::FirmwareState;
    using kairo::sim::state;
    const QList<int> fourSettles{64, 64, 64, 64, 64, 64, 64, 64};
    const QList<int> fourReports{64, 64, 120, 120, 120, 120, 64, 64};
    const QStringList success{QStringLiteral("HID SUCCESS ")};
    const auto image = sharedPattern(128, 0x10);
    const auto matrix = sharedPattern(64, 0x90);
    const auto macro = sharedPattern(128, 0x33);
    return {
        queryStep(
            "81H", [](FirmwareState &s) { s.keyboardOption560 = fromHex("a1 b2"); },
            [](Hid_Thread &h) {
                uchar b1 = 0, b2 = 0;
                h.hid560_81H_GetKeyboardoption(b1, b2);
                return QList<int>({b1, b2});
            },
            {featureLine("00 81 00 00 00 00 00 00 7e")}, {0xa1, 0xb2}),
        queryStep(
            "82H", [](FirmwareState &s) { s.currentProfile = 3; },
            [](Hid_Thread &h) {
                uchar profile = 0;
                h.hid560_82H_GetCurrentProfile(profile);
                return QList<int>({profile});
            },
            {featureLine("00 82 00 00 00 00 00 00 7d")}, {3}),
        queryStep("84H", [](FirmwareState &s) { s.profileDpiStage[2] = 6; }, currentDpi,
                  {featureLine("00 84 02 00 00 00 00 00 79")}, {2, 6}),
        queryStep(
            "87H", [](FirmwareState &s) { s.ledInstructOptions = fromHex("07 08 09"); },
            [](Hid_Thread &h) {
                uchar o1 = 0, o2 = 0, o3 = 0;
                const bool answered = h.hid_87H_GetLEDInstructFunction(2, o1, o2, o3);
                return QList<int>({answered, o1, o2, o3});
            },
            {featureLine("00 87 02 00 00 00 00 00 76")}, {true, 7, 8, 9}),
        queryStep(
            "8CH", [](FirmwareState &s) { s.profiles[3] = pattern(128, 0x20); }, readProfile(3),
            {featureLine("00 8c 03 00 00 00 00 00 70")}, bytesOf(pattern(128, 0x20)),
            [] { QCOMPARE(records(Direction::In).size(), 4); }),
        commandStep(
            "01H", [](Hid_Thread &h) { h.hid560_01H_SetKeyboardoption(1, 2); },
            {featureLine("00 01 01 02 00 00 00 00 fb")}, {8}, {},
            [] { QCOMPARE(state(0).keyboardOption560, fromHex("01 02")); }),
        commandStep(
            "02H", [](Hid_Thread &h) { h.hid560_02H_SetCurrentProfile(3); },
            {featureLine("00 02 03 00 00 00 00 00 fa")}, {8}, {},
            [] { QCOMPARE(state(0).currentProfile, 3); }),
        commandStep("09H off", [](Hid_Thread &h) { h.hid560_09H_Lod(5, 0); },
                    {featureLine("00 09 00 7d 00 00 00 00 79")}, {64, 64}),
        commandStep(
            "09H on", [](Hid_Thread &h) { h.hid560_09H_Lod(5, 1); },
            {featureLine("00 09 05 7d 00 00 00 00 74")}, {64, 64}, {},
            [] { QCOMPARE(state(0).liftOff, 5); }),
        // Without the gun flag these go to each of the four profiles.
        commandStep(
            "03H", [](Hid_Thread &h) { h.hid560_03H_SetReportRate(4); },
            {featureLine("00 03 01 04 00 00 00 00 f7"), featureLine("00 03 02 04 00 00 00 00 f6"),
             featureLine("00 03 03 04 00 00 00 00 f5"), featureLine("00 03 04 04 00 00 00 00 f4")},
            fourSettles),
        commandStep(
            "04H", [](Hid_Thread &h) { h.hid560_04H_SetCurrentDPI(3); },
            {featureLine("00 04 01 03 00 00 00 00 f7"), featureLine("00 04 02 03 00 00 00 00 f6"),
             featureLine("00 04 03 03 00 00 00 00 f5"), featureLine("00 04 04 03 00 00 00 00 f4")},
            fourSettles, {},
            [] {
                const auto stages = state(0).profileDpiStage;
                QCOMPARE(QList<int>({stages[1], stages[2], stages[3], stages[4]}),
                         QList<int>({3, 3, 3, 3}));
            }),
        commandStep(
            "0CH", [=](Hid_Thread &h) { h.hid560_0CH_setProfile(raw(*image), 2); },
            QStringList{featureLine("00 0c 02 80 00 00 00 00 71")} + bulkLines(*image), fourReports,
            success, [=] { QCOMPARE(state(0).profiles[2], *image); }),
        // The matrix goes out as the first half of a zero-padded block.
        commandStep(
            "0DH", [=](Hid_Thread &h) { h.hid560_0DH_SetKeyMatrix(raw(*matrix), 1); },
            QStringList{featureLine("00 0d 01 80 00 00 00 00 71")}
                + bulkLines(*matrix + QByteArray(64, '\0')),
            fourReports, success,
            [] {
                const QList<kairo::sim::WireRecord> out = records(Direction::Out);
                QCOMPARE(out.size(), 4);
                QCOMPARE(out[2].bytes, QByteArray(33, '\0'));
                QCOMPARE(out[3].bytes, QByteArray(33, '\0'));
            }),
        commandStep(
            "0FH", [=](Hid_Thread &h) { h.hid560_0FH_SetMacroKey(4, raw(*macro)); },
            QStringList{featureLine("00 0f 04 80 00 00 00 00 6c")} + bulkLines(*macro), fourReports,
            success, [=] { QCOMPARE(state(0).macros[3], *macro); }),
    };
}

} // namespace

class Commands560Test : public QObject
{
    Q_OBJECT

    std::unique_ptr<LinkFixture> link;
    std::unique_ptr<DebugCapture> debug;

    Hid_Thread &hid() { return link->hid; }

    void expectCommand(const std::function<void()> &command, const QStringList &wire,
                       const QList<int> &expectedSleeps)
    {
        ::expectCommand(*link, *debug, command, wire, expectedSleeps, {});
    }

private slots:
    void init()
    {
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{secondFamily()});
        hid().setModelFlags(false, QStringLiteral("560"));
        debug = std::make_unique<DebugCapture>();
    }

    void cleanup()
    {
        debug.reset();
        link.reset();
    }

    void commandOnTheWire_data() { addStepRows(commands560()); }

    void commandOnTheWire()
    {
        QFETCH(int, step);
        expectStep(*link, *debug, commands560().at(step));
    }

    void perProfileCommandsStopAfterProfileOneWithGunFlag()
    {
        hid().setModelFlags(true, QStringLiteral("560"));
        expectCommand([&] { hid().hid560_03H_SetReportRate(4); },
                      {featureLine("00 03 01 04 00 00 00 00 f7")}, {64, 64});
        expectCommand([&] { hid().hid560_04H_SetCurrentDPI(3); },
                      {featureLine("00 04 01 03 00 00 00 00 f7")}, {64, 64});
    }

    void scrambledSecondFamilyDevice()
    {
        kairo::sim::DeviceConfig device = secondFamily();
        device.isEncode = true;
        device.sCode = QStringLiteral("9Kx7!q");
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{device});
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.profiles[1] = pattern(128, 0x61);
        kairo::sim::setState(0, state);

        QByteArray destination(128, '\0');
        hid().hid560_8CH_readProfile(raw(destination), 1);
        QCOMPARE(destination, pattern(128, 0x61));
        hid().hid560_02H_SetCurrentProfile(4);
        const QList<kairo::sim::WireRecord> sent = records(Direction::FeatureOut);
        QCOMPARE(sent.size(), 2);
        QCOMPARE(hexBytes(sent[0].plain), QStringLiteral("00 8c 01 00 00 00 00 00 72"));
        QVERIFY(sent[0].bytes != sent[0].plain);
        QCOMPARE(hexBytes(sent[1].plain), QStringLiteral("00 02 04 00 00 00 00 00 f9"));
        QCOMPARE(kairo::sim::state(0).currentProfile, 4);
        QCOMPARE(kairo::sim::state(0).protocolErrors, 0);
    }

    void everyCommandScrambledCarriesThePlainBlock()
    {
        const QList<CommandStep> steps =
            commands560()
            + QList<CommandStep>{{"8CH after 0CH", readProfile(2)}, {"84H after 04H", currentDpi}};
        expectScrambledRunMatchesPlainRun(
            secondFamily(), QStringLiteral("Mx!0a9"), steps,
            [](Hid_Thread &h) { h.setModelFlags(false, QStringLiteral("560")); });
    }
};

QTEST_GUILESS_MAIN(Commands560Test)
#include "test_device_commands560.moc"
