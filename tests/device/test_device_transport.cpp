#include "tests/support/linkfixture.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <memory>

using kairo::sim::Direction;

namespace {

QList<int> repeated(int value, int times)
{
    QList<int> list;
    for (int i = 0; i < times; ++i)
        list << value;
    return list;
}

// Runs the get command named like "560 8CH", taking its out-parameters (or
// its 128-byte destination) from bytes.
bool runGet(Hid_Thread &hid, const QString &command, uchar *bytes)
{
    const QString opcode = command.mid(4);
    if (opcode == QLatin1String("83H"))
        return hid.hid553_83H_GetKeyboardoption(bytes[0], bytes[1], bytes[2], bytes[3]);
    if (opcode == QLatin1String("8BH"))
        return hid.hid553_8BH_GetCurrentDPI(bytes[0]);
    if (opcode == QLatin1String("81H"))
        return hid.hid560_81H_GetKeyboardoption(bytes[0], bytes[1]);
    if (opcode == QLatin1String("82H"))
        return hid.hid560_82H_GetCurrentProfile(bytes[0]);
    if (opcode == QLatin1String("84H"))
        return hid.hid560_84H_GetCurrentDPI(bytes[0], bytes[1]);
    if (opcode == QLatin1String("87H"))
        return hid.hid_87H_GetLEDInstructFunction(1, bytes[0], bytes[1], bytes[2]);
    if (opcode == QLatin1String("8CH"))
        return hid.hid560_8CH_readProfile(bytes, 2);
    qFatal("no get command %s", qPrintable(command));
}

} // namespace

class TransportTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LinkFixture> link;
    std::unique_ptr<DebugCapture> debug;
    QStringList apiCalls;

    Hid_Thread &hid() { return link->hid; }
    QList<int> &sleeps() { return link->clock.sleeps; }

    void countApiCalls()
    {
        apiCalls.clear();
        kairo::sim::setApiHook([this](const char *function) {
            if (QThread::currentThread() == thread())
                apiCalls << QString::fromLatin1(function);
        });
    }

    void useFamily560()
    {
        kairo::sim::DeviceConfig device;
        device.family = QStringLiteral("560");
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{device});
        hid().setModelFlags(false, QStringLiteral("560"));
    }

private slots:
    void init()
    {
        link = std::make_unique<LinkFixture>();
        debug = std::make_unique<DebugCapture>();
    }

    void cleanup()
    {
        kairo::sim::setApiHook(nullptr);
        debug.reset();
        link.reset();
    }

    void nestedCommandGivesUpAfterAllPolls()
    {
        const int stageBefore = kairo::sim::state(0).currentDpiStage;
        bool nested = false;
        kairo::sim::setApiHook([&](const char *function) {
            if (!nested && QByteArray(function) == "hid_send_feature_report") {
                nested = true;
                hid().hid553_0BH_SetCurrentDPI(3);
            }
        });
        hid().hid553_01H_SetReportRate(5);

        QVERIFY(nested);
        QCOMPARE(sleeps(), repeated(8, 255) + QList<int>({64, 64}));
        QCOMPARE(debug->lines(), QStringList({QStringLiteral("hid553_01H_SetReportRate =  5 "),
                                              QStringLiteral("hid553_0BH_SetCurrentDPI =  3 "),
                                              QStringLiteral("cmd Failed 0B ")}));
        const QList<kairo::sim::WireRecord> sent = records(Direction::FeatureOut);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(quint8(sent[0].plain.at(1)), quint8(0x01));
        QCOMPARE(kairo::sim::state(0).currentDpiStage, stageBefore);
        QVERIFY(hid().idle);
    }

    void nestedTimeoutLinesOfTheSecondFamily()
    {
        useFamily560();
        hid().idle = false; // as if an outer command held the flag
        QByteArray image(128, '\x11');
        hid().hid560_8CH_readProfile(raw(image), 1);
        uchar o1 = 1, o2 = 2, o3 = 3;
        QVERIFY(!hid().hid_87H_GetLEDInstructFunction(1, o1, o2, o3));
        hid().hid560_09H_Lod(5, 1);
        hid().hid560_04H_SetCurrentDPI(2);
        QCOMPARE(
            debug->lines(),
            QStringList({QStringLiteral("cmd Failed 8c "), QStringLiteral("cmd Failed "),
                         QStringLiteral("hid560_09H_Lod "), QStringLiteral("cmd Failed 04 ")}));
        QCOMPARE(sleeps(), repeated(8, 4 * 255));
        QCOMPARE(image, QByteArray(128, '\x11'));
        QCOMPARE(QList<int>({o1, o2, o3}), QList<int>({1, 2, 3}));
        QVERIFY(kairo::sim::wireLog().isEmpty());
        QVERIFY(!hid().idle); // a dropped command leaves the flag as it found it
    }

    // Every command on a link another command holds: its argument line (when
    // it has one) still comes first, then its own time-out line; nothing
    // reaches the mouse and no out-parameter or buffer changes.
    void everyCommandDroppedOnABusyLinkNamesItself()
    {
        QByteArray block(128, '\x5a');
        uchar *data = raw(block);
        const QString address = QStringLiteral("0x") + QString::number(quintptr(data), 16);
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        const QList<std::pair<std::function<void()>, QStringList>> commands{
            {[&] { hid().hid553_83H_GetKeyboardoption(b1, b2, b3, b4); }, {"cmd Failed 83 "}},
            {[&] { hid().hid553_8BH_GetCurrentDPI(b1); }, {"cmd Failed 8BH "}},
            {[&] { hid().hid553_01H_SetReportRate(2); },
             {"hid553_01H_SetReportRate =  2 ", "cmd Failed 01 "}},
            {[&] { hid().hid553_02H_SetCurrentKeyMatrix(1); },
             {"hid553_02H_SetCurrentKeyMatrix =  1 ", "cmd Failed 02 "}},
            {[&] { hid().hid553_03H_SetKeyboardoption(1, 2, 3, 4); },
             {"hid553_03H_SetKeyboardoption , byte1-4 = 1 2 3 4 ", "cmd Failed 03 "}},
            {[&] { hid().hid553_04H_SetGunData(1, 2, 3, 4); }, {"cmd Failed 04 "}},
            {[&] { hid().hid553_07H_Lod(3, 1); }, {"hid553_07H_Lod "}},
            {[&] { hid().hid553_0BH_SetCurrentDPI(4); },
             {"hid553_0BH_SetCurrentDPI =  4 ", "cmd Failed 0B "}},
            {[&] { hid().hid553_0CH_SetFixLEDColor(data); }, {"cmd Failed 0C "}},
            {[&] { hid().hid553_0DH_SetRGBLedEffect(1, 2, 3); },
             {"hid553_0DH_SetRGBLedEffect , effect =  1 2 3 ", "cmd Failed 0D "}},
            {[&] { hid().hid553_10H_SetLED8StageColor(2, data); },
             {"hid553_10H_SetLED8StageColor , type =  2 ,src24 =  " + address + " ",
              "cmd Failed 10 "}},
            {[&] { hid().hid553_11H_SetDPISet(8, data); },
             {"hid553_11H_SetDPISet ,dpiStage =  8 ", "DPI - src8 =  90 90 90 90 90 90 90 90 ",
              "cmd Failed 11 "}},
            {[&] { hid().hid553_12H_SetKeyMatrix(data, 1); },
             {"hid553_12H_SetKeyMatrix , indexAddOne =  1 ", "cmd Failed 12 "}},
            {[&] { hid().hid553_13H_SetMacroKey(1, data); },
             {"hid553_13H_SetMacroKey , macroId =  1 ,src128 =  " + address + " ",
              "cmd Failed 13 "}},
            {[&] { hid().hid553_16H_SetSlaveAttritube(data); },
             {"hid553_16H_SetSlaveAttritube =  ", "cmd Failed 16 "}},
            {[&] { hid().hid560_81H_GetKeyboardoption(b1, b2); }, {"cmd Failed 81 "}},
            {[&] { hid().hid560_82H_GetCurrentProfile(b3); }, {"cmd Failed 82 "}},
            {[&] { hid().hid560_84H_GetCurrentDPI(b1, b4); }, {"cmd Failed 84 "}},
            {[&] { hid().hid560_01H_SetKeyboardoption(1, 2); }, {"cmd Failed 01 "}},
            {[&] { hid().hid560_02H_SetCurrentProfile(2); }, {"cmd Failed 02 "}},
            {[&] { hid().hid560_03H_SetReportRate(2); }, {"cmd Failed 03 "}},
            {[&] { hid().hid560_0CH_setProfile(data, 1); }, {"cmd Failed 0C "}},
            {[&] { hid().hid560_0DH_SetKeyMatrix(data, 1); }, {"cmd Failed 0D "}},
            {[&] { hid().hid560_0FH_SetMacroKey(1, data); }, {"cmd Failed 0F "}},
        };
        hid().idle = false;
        for (const auto &[command, lines] : commands) {
            debug->clear();
            sleeps().clear();
            command();
            QCOMPARE(debug->lines(), lines);
            QCOMPARE(sleeps(), repeated(8, 255));
        }
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({1, 2, 3, 4}));
        QCOMPARE(block, QByteArray(128, '\x5a'));
        QVERIFY(kairo::sim::wireLog().isEmpty());
        QVERIFY(!hid().idle);
    }

    // A handler run by the event processing of the loop's second exchange
    // must not replace the report the loop is about to send.
    void perProfileLoopKeepsTheFlagBetweenProfiles()
    {
        useFamily560();
        const int profileBefore = kairo::sim::state(0).currentProfile;
        bool posted = false;
        kairo::sim::setApiHook([&](const char *function) {
            if (!posted && QByteArray(function) == "hid_send_feature_report") {
                posted = true;
                QMetaObject::invokeMethod(
                    &hid(), [&] { hid().hid560_02H_SetCurrentProfile(3); }, Qt::QueuedConnection);
            }
        });
        hid().hid560_03H_SetReportRate(2);
        QCoreApplication::processEvents();

        QStringList expected;
        for (int profile = 1; profile <= 4; ++profile)
            expected << QStringLiteral("F 00 03 0%1 02 00 00 00 00 %2")
                            .arg(profile)
                            .arg(0xFA - profile, 2, 16);
        QCOMPARE(sentLines(), expected);
        QVERIFY(debug->lines().contains(QStringLiteral("cmd Failed 02 ")));
        QCOMPARE(kairo::sim::state(0).currentProfile, profileBefore);
        QVERIFY(hid().idle);
    }

    void failedOpenBlanksThePathAndLaterCommandsStayOffTheWire()
    {
        kairo::sim::unplug(0);
        uchar stage = 4;
        hid().hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(stage, uchar(4));
        QVERIFY(hid().deviceTable.at(0).path.isEmpty());
        QVERIFY(!hid().deviceTable.at(0).path2.isEmpty());
        QVERIFY(hid().idle);

        kairo::sim::plug(0); // back, but only a new enumeration would find it
        countApiCalls();
        hid().hid553_01H_SetReportRate(2);
        QByteArray macro(128, '\x01');
        hid().hid553_13H_SetMacroKey(1, raw(macro));
        uchar o1 = 9, o2 = 9, o3 = 9;
        QVERIFY(!hid().hid_87H_GetLEDInstructFunction(0, o1, o2, o3));
        QCOMPARE(QList<int>({o1, o2, o3}), QList<int>({9, 9, 9}));
        QVERIFY(apiCalls.isEmpty());
        QVERIFY(hid().idle);
        QVERIFY(sleeps().isEmpty());
    }

    // The open check before a connect tells a refused node from a vanished
    // one; either way the entry is dropped until the next enumeration.
    void probeOpenTellsDeniedFromGone_data()
    {
        QTest::addColumn<QString>("mouse");
        QTest::addColumn<Hid_Thread::OpenCheck>("check");
        QTest::newRow("plugged") << "plugged" << Hid_Thread::OpenCheck::Ok;
        QTest::newRow("denied") << "deny" << Hid_Thread::OpenCheck::Denied;
        QTest::newRow("unplugged") << "unplug" << Hid_Thread::OpenCheck::Gone;
    }
    void probeOpenTellsDeniedFromGone()
    {
        QFETCH(QString, mouse);
        QFETCH(Hid_Thread::OpenCheck, check);
        kairo::sim::handleControlCommand(mouse);
        kairo::sim::clearWireLog();
        QCOMPARE(hid().probeOpen(0), check);
        QCOMPARE(hid().deviceTable.at(0).path.isEmpty(), check != Hid_Thread::OpenCheck::Ok);
        QVERIFY(!hid().deviceTable.at(0).path2.isEmpty());
        QCOMPARE(hid().probeOpen(1), Hid_Thread::OpenCheck::Gone); // outside the table
        QVERIFY(kairo::sim::wireLog().isEmpty());
    }

    void currentIndexOutsideTheTableMakesNoCall()
    {
        countApiCalls();
        hid().setCurrentDevice(1); // the construction default with a one-entry table
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        hid().hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
        hid().hid553_0BH_SetCurrentDPI(2);
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({1, 2, 3, 4}));
        QVERIFY(apiCalls.isEmpty());
        QVERIFY(hid().idle);
    }

    void unplugInTheMiddleOfABulkWrite()
    {
        int writes = 0;
        kairo::sim::setApiHook([&](const char *function) {
            if (QByteArray(function) == "hid_write" && ++writes == 2)
                kairo::sim::unplug(0);
        });
        QByteArray macro(128, '\x42');
        hid().hid553_13H_SetMacroKey(2, raw(macro));

        QCOMPARE(writes, 2);
        QCOMPARE(records(Direction::Out).size(), 1);
        QCOMPARE(sleeps(), QList<int>({64, 64, 120}));
        QCOMPARE(debug->lines().mid(1), QStringList({QStringLiteral("HID FAIL ")}));
        QVERIFY(hid().idle);
        QVERIFY(!hid().commandHandle);

        // The next command finds the device gone and blanks the path.
        hid().hid553_0BH_SetCurrentDPI(2);
        QVERIFY(hid().deviceTable.at(0).path.isEmpty());
        QCOMPARE(records(Direction::FeatureOut).size(), 1);
    }

    void mutedMouseFailsABulkReadWithinTheBound()
    {
        useFamily560();
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.profiles[1] = QByteArray(128, '\x77');
        kairo::sim::setState(0, state);
        kairo::sim::setApiHook([](const char *function) {
            if (QByteArray(function) == "hid_read_timeout" || QByteArray(function) == "hid_read")
                kairo::sim::setMuted(0, true);
        });
        QByteArray destination(128, '\x05');
        QElapsedTimer timer;
        timer.start();
        hid().hid560_8CH_readProfile(raw(destination), 1);
        const qint64 elapsed = timer.elapsed();

        QVERIFY2(elapsed >= 900 && elapsed < 2500, qPrintable(QString::number(elapsed)));
        QCOMPARE(destination, QByteArray(128, '\x05'));
        QVERIFY(hid().idle);
        QVERIFY(!hid().commandHandle);
        QVERIFY(!hid().deviceTable.at(0).path.isEmpty()); // silent, not gone
    }

    void getCommandsKeepTheCallersValuesWhenTheReplyFails()
    {
        kairo::sim::setMuted(0, true);
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        hid().hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({1, 2, 3, 4}));
        uchar stage = 7;
        hid().hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(stage, uchar(7));
        QVERIFY(hid().idle);

        useFamily560();
        kairo::sim::setMuted(0, true);
        uchar k1 = 0x10, k2 = 0x20;
        hid().hid560_81H_GetKeyboardoption(k1, k2);
        uchar profile = 9;
        hid().hid560_82H_GetCurrentProfile(profile);
        uchar which = 1, dpi = 6;
        hid().hid560_84H_GetCurrentDPI(which, dpi);
        uchar o1 = 4, o2 = 5, o3 = 6;
        QVERIFY(!hid().hid_87H_GetLEDInstructFunction(2, o1, o2, o3));
        QByteArray image(128, '\x3c');
        hid().hid560_8CH_readProfile(raw(image), 0);
        QCOMPARE(QList<int>({k1, k2, profile, which, dpi, o1, o2, o3}),
                 QList<int>({0x10, 0x20, 9, 1, 6, 4, 5, 6}));
        QCOMPARE(image, QByteArray(128, '\x3c'));
        // The command reports went out; only the replies were missing.
        QCOMPARE(records(Direction::FeatureOut).size(), 5);
        QVERIFY(hid().idle);
    }

    // The mouse takes the command and then breaks off: a reply that fails
    // after its bytes were partly written, or a block read whose report
    // failingRead times out or finds the mouse gone after the first ones
    // arrived. The caller gets false and its bytes exactly as they were.
    void brokenReplyLeavesTheCallersBytes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("failingRead"); // 0: the command's own reply fails
        QTest::addColumn<bool>("unplug");
        QTest::newRow("553 83H reply") << "553 83H" << 0 << false;
        QTest::newRow("553 8BH reply") << "553 8BH" << 0 << false;
        QTest::newRow("560 81H reply") << "560 81H" << 0 << false;
        QTest::newRow("560 82H reply") << "560 82H" << 0 << false;
        QTest::newRow("560 84H reply") << "560 84H" << 0 << false;
        QTest::newRow("560 87H reply") << "560 87H" << 0 << false;
        QTest::newRow("560 8CH second report times out") << "560 8CH" << 2 << false;
        QTest::newRow("560 8CH unplugged before the last report") << "560 8CH" << 4 << true;
    }
    void brokenReplyLeavesTheCallersBytes()
    {
        QFETCH(QString, command);
        QFETCH(int, failingRead);
        QFETCH(bool, unplug);
        if (command.startsWith(QLatin1String("560")))
            useFamily560();
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.profiles[2] = pattern(128, 0x40);
        state.keyboardOption553 = state.keyboardOption560 = fromHex("a1 b2 c3 d4");
        kairo::sim::setState(0, state);
        int reads = 0;
        kairo::sim::setApiHook([&](const char *function) {
            const QByteArray name(function);
            if (failingRead == 0 && name == "hid_get_feature_report") {
                std::memset(hid().inReport, 0xee, sizeof(hid().inReport));
                kairo::sim::setMuted(0, true);
            } else if (name == "hid_read_timeout" && ++reads == failingRead) {
                unplug ? kairo::sim::unplug(0) : kairo::sim::setMuted(0, true);
            }
        });
        QByteArray bytes = pattern(128, 0x80);

        QVERIFY(!runGet(hid(), command, raw(bytes)));
        QCOMPARE(hexBytes(bytes), hexBytes(pattern(128, 0x80)));
        QCOMPARE(records(Direction::FeatureOut).size(), 1);
        QCOMPARE(records(Direction::In).size(), std::max(0, failingRead - 1));
        QVERIFY(hid().idle);
        QVERIFY(!hid().commandHandle);
    }

    // Whatever report length the table gives (it bounds it to 1..64), whole
    // blocks cross in both directions, and a last report that reaches past
    // the block carries zeros rather than bytes of an earlier command.
    void anyReportLengthCarriesWholeBlocks_data()
    {
        QTest::addColumn<int>("reportLength");
        for (int length : {1, 7, 32, 48, 64})
            QTest::addRow("%d", length) << length;
    }
    void anyReportLengthCarriesWholeBlocks()
    {
        QFETCH(int, reportLength);
        kairo::sim::DeviceConfig device;
        device.family = QStringLiteral("560");
        device.reportLength = reportLength;
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{device});
        hid().setModelFlags(false, QStringLiteral("560"));
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.profiles[2] = pattern(128, 0x40);
        kairo::sim::setState(0, state);
        std::memset(hid().bulkBuf, 0xee, sizeof(hid().bulkBuf));

        QByteArray written = pattern(128, 0x10);
        hid().hid560_0CH_setProfile(raw(written), 1);
        QCOMPARE(kairo::sim::state(0).profiles[1], written);
        const int reports = (128 + reportLength - 1) / reportLength;
        const QList<kairo::sim::WireRecord> out = records(Direction::Out);
        QCOMPARE(out.size(), reports);
        QByteArray sent;
        for (const kairo::sim::WireRecord &record : out) {
            QCOMPARE(record.bytes.size(), reportLength + 1);
            sent += record.bytes.mid(1);
        }
        QCOMPARE(hexBytes(sent), hexBytes(written + QByteArray(sent.size() - 128, '\0')));

        QByteArray read(128, '\0');
        QVERIFY(hid().hid560_8CH_readProfile(raw(read), 2));
        QCOMPARE(read, pattern(128, 0x40));
        QCOMPARE(records(Direction::In).size(), reports);
        QCOMPARE(kairo::sim::state(0).protocolErrors, 0);
    }

    void ledInstructionOnAnEmptyPath()
    {
        QList<DeviceEntry> table = hid().deviceTable;
        table[0].path.clear();
        hid().setDeviceTable(table);
        countApiCalls();
        uchar o1 = 11, o2 = 12, o3 = 13;
        QVERIFY(!hid().hid_87H_GetLEDInstructFunction(1, o1, o2, o3));
        QCOMPARE(QList<int>({o1, o2, o3}), QList<int>({11, 12, 13}));
        QVERIFY(apiCalls.isEmpty());
        QVERIFY(hid().idle);
    }

    void zeroReportLengthFailsInsteadOfLooping()
    {
        QList<DeviceEntry> table = hid().deviceTable;
        table[0].reportLength = 0;
        hid().setDeviceTable(table);
        QByteArray codes(8, '\x01');
        hid().hid553_11H_SetDPISet(8, raw(codes));
        QVERIFY(records(Direction::Out).isEmpty());
        QVERIFY(hid().idle);
        QVERIFY(!hid().commandHandle);
    }

    // Only a factor that shortens is taken: a real mouse needs every pause
    // whole, so anything else keeps them.
    void pauseFactorShortensOnly_data()
    {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<double>("factor");
        QTest::newRow("unset") << QByteArray() << 1.0;
        QTest::newRow("a quarter") << QByteArray("0.25") << 0.25;
        QTest::newRow("whole") << QByteArray("1") << 1.0;
        QTest::newRow("zero") << QByteArray("0") << 1.0;
        QTest::newRow("negative") << QByteArray("-0.5") << 1.0;
        QTest::newRow("longer") << QByteArray("2") << 1.0;
        QTest::newRow("not a number") << QByteArray("fast") << 1.0;
    }
    void pauseFactorShortensOnly()
    {
        QFETCH(QByteArray, setting);
        QFETCH(double, factor);
        QCOMPARE(RealHidClock::pauseFactor(setting), factor);
    }

    void exchangesReopenThePathForEveryCall()
    {
        countApiCalls();
        QByteArray matrix(64, '\x02');
        hid().hid553_12H_SetKeyMatrix(raw(matrix), 1);
        QCOMPARE(apiCalls,
                 QStringList({"hid_open_path", "hid_set_nonblocking", "hid_send_feature_report",
                              "hid_close", "hid_open_path", "hid_set_nonblocking", "hid_write",
                              "hid_close", "hid_open_path", "hid_set_nonblocking", "hid_write",
                              "hid_close"}));

        countApiCalls();
        uchar stage = 0;
        hid().hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(apiCalls,
                 QStringList({"hid_open_path", "hid_set_nonblocking", "hid_send_feature_report",
                              "hid_close", "hid_open_path", "hid_set_nonblocking",
                              "hid_get_feature_report", "hid_close"}));
    }
};

QTEST_GUILESS_MAIN(TransportTest)
#include "test_device_transport.moc"
