#include "tests/sim/simclient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <thread>

using namespace kairo::sim;
using namespace simtest;

namespace {

DeviceConfig family(const QString &name, bool isEncode = false)
{
    DeviceConfig c;
    c.family = name;
    c.isEncode = isEncode;
    c.sCode = "913572";
    return c;
}

// One command the way the program frames it: scrambled for an encoded device,
// reply unscrambled again.
QByteArray exchange(hid_device *dev, const DeviceConfig &c, std::initializer_list<int> command)
{
    QByteArray report = commandReport(command);
    if (c.isEncode)
        report = scrambledReport(report, c.sCode);
    if (sendFeature(dev, report) != 9)
        return {};
    const QByteArray reply = getFeature(dev);
    return c.isEncode && !reply.isEmpty() ? descrambledReport(reply, c.sCode) : reply;
}

quint8 at(const QByteArray &b, int i)
{
    return quint8(b.at(i));
}

} // namespace

class TestSimFirmware : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        reset();
        setApiHook(nullptr);
    }
    void cleanup() { setApiHook(nullptr); }

    void enumerationListsBothInterfacesOfEveryPluggedDevice()
    {
        DeviceConfig second = family("560");
        second.pid = 0xa0ff;
        reset({DeviceConfig{}, second});
        hid_device_info *all = hid_enumerate(0, 0);
        QStringList seen;
        for (hid_device_info *i = all; i; i = i->next)
            seen << QStringLiteral("%1 %2:%3 %4:%5")
                        .arg(QString::fromUtf8(i->path))
                        .arg(i->vendor_id, 4, 16, QChar('0'))
                        .arg(i->product_id, 4, 16, QChar('0'))
                        .arg(i->usage_page, 4, 16)
                        .arg(i->usage, 4, 16);
        hid_free_enumeration(all);
        QCOMPARE(seen, QStringList({"virtual:0:command 04d9:a09f ff00:ff00",
                                    "virtual:0:notify 04d9:a09f ff01:ff01",
                                    "virtual:1:command 04d9:a0ff ff00:ff00",
                                    "virtual:1:notify 04d9:a0ff ff01:ff01"}));

        hid_device_info *filtered = hid_enumerate(0x04d9, 0xa0ff);
        QVERIFY(filtered && filtered->next && !filtered->next->next);
        QCOMPARE(QByteArray(filtered->path), QByteArray("virtual:1:command"));
        hid_free_enumeration(filtered);
        QCOMPARE(hid_enumerate(0x1234, 0), nullptr);
    }

    void getSetRoundTripFirstFamily_data()
    {
        QTest::addColumn<bool>("isEncode");
        QTest::newRow("plain") << false;
        QTest::newRow("scrambled") << true;
    }
    void getSetRoundTripFirstFamily()
    {
        QFETCH(bool, isEncode);
        const DeviceConfig c = family("553", isEncode);
        reset({c});
        hid_device *dev = openInterface(0, "command");
        QVERIFY(dev);
        const QByteArray factory = exchange(dev, c, {0x83});
        QCOMPARE(factory.mid(2, 4).toHex(), QByteArray("01020004"));
        exchange(dev, c, {0x03, 0x11, 0x22, 0x33, 0x44});
        QCOMPARE(exchange(dev, c, {0x83}).mid(2, 4).toHex(), QByteArray("11223344"));
        exchange(dev, c, {0x0b, 5});
        QCOMPARE(at(exchange(dev, c, {0x8b}), 2), quint8(5));
        const QByteArray led = exchange(dev, c, {0x87, 0});
        QCOMPARE(led.mid(3, 3).toHex(), QByteArray("000506"));

        exchange(dev, c, {0x01, 3});
        exchange(dev, c, {0x07, 0, 110, 0x7d, 0});
        exchange(dev, c, {0x04, 0, 9, 8, 7, 2});
        exchange(dev, c, {0x04, 0, 1, 2, 3, 0});
        exchange(dev, c, {0x0c, 0x10, 0x20, 0x30});
        exchange(dev, c, {0x0d, 4, 5, 6});
        exchange(dev, c, {0x02, 3});
        hid_close(dev);

        const FirmwareState s = state(0);
        QCOMPARE(s.reportRate, 3);
        QCOMPARE(s.liftOff, 110);
        QCOMPARE(s.liftOffEnabled, false);
        QCOMPARE(s.gunData, QList<QByteArray>({QByteArray::fromHex("09080702"),
                                               QByteArray::fromHex("01020300")}));
        QCOMPARE(s.fixedColor.toHex(), QByteArray("102030"));
        QCOMPARE(QList<int>({s.lightingEffect, s.lightingOption1, s.lightingOption2}),
                 QList<int>({4, 5, 6}));
        QCOMPARE(s.activeKeyMatrix, 3);
        QCOMPARE(s.protocolErrors, 0);

        // What crossed the wire is scrambled exactly when the device says so.
        const QList<WireRecord> log = wireLog();
        QVERIFY(!log.isEmpty());
        const WireRecord &first = log.first();
        QCOMPARE(first.direction, Direction::FeatureOut);
        QCOMPARE(first.plain, commandReport({0x83}));
        QCOMPARE(first.bytes == first.plain, !isEncode);
        QCOMPARE(log.at(1).direction, Direction::FeatureIn);
        QCOMPARE(log.at(1).plain.mid(2, 4).toHex(), QByteArray("01020004"));
        QCOMPARE(log.at(1).bytes == log.at(1).plain, !isEncode);
    }

    void getSetRoundTripSecondFamily_data() { getSetRoundTripFirstFamily_data(); }
    void getSetRoundTripSecondFamily()
    {
        QFETCH(bool, isEncode);
        const DeviceConfig c = family("560", isEncode);
        reset({c});
        hid_device *dev = openInterface(0, "command");
        QVERIFY(dev);
        QCOMPARE(exchange(dev, c, {0x81}).mid(2, 2).toHex(), QByteArray("0102"));
        exchange(dev, c, {0x01, 0xaa, 0xbb});
        QCOMPARE(exchange(dev, c, {0x81}).mid(2, 2).toHex(), QByteArray("aabb"));
        QCOMPARE(at(exchange(dev, c, {0x82}), 2), quint8(1));
        exchange(dev, c, {0x02, 3});
        QCOMPARE(at(exchange(dev, c, {0x82}), 2), quint8(3));
        exchange(dev, c, {0x04, 2, 6});
        exchange(dev, c, {0x03, 2, 4});
        const QByteArray dpi = exchange(dev, c, {0x84, 2});
        QCOMPARE(at(dpi, 2), quint8(2));
        QCOMPARE(at(dpi, 3), quint8(6));
        QCOMPARE(at(exchange(dev, c, {0x84, 1}), 3), quint8(2)); // other profiles keep their stage
        exchange(dev, c, {0x09, 95, 0x7d});
        // Commands this family shares with the first one.
        QCOMPARE(exchange(dev, c, {0x83}).mid(2, 4).toHex(), QByteArray("01020004"));
        hid_close(dev);

        const FirmwareState s = state(0);
        QCOMPARE(s.profileReportRate[2], 4);
        QCOMPARE(s.profileReportRate[1], 1);
        QCOMPARE(s.liftOff, 95);
        QCOMPARE(s.protocolErrors, 0);
        QCOMPARE(s.commandCount, 12);
    }

    void badChecksumCountsProtocolErrorAndIsIgnored()
    {
        hid_device *dev = openInterface(0, "command");
        QByteArray report = commandReport({0x0b, 7});
        report[8] = char(at(report, 8) ^ 0x01);
        QCOMPARE(sendFeature(dev, report), 9);
        QCOMPARE(state(0).protocolErrors, 1);
        QCOMPARE(state(0).currentDpiStage, 2);
        QCOMPARE(state(0).commandCount, 0);
        hid_close(dev);

        // A plain report sent to a device that expects scrambled ones is garbage to it.
        const DeviceConfig c = family("553", true);
        reset({c});
        dev = openInterface(0, "command");
        sendFeature(dev, commandReport({0x0b, 7}));
        QCOMPARE(state(0).protocolErrors, 1);
        QCOMPARE(state(0).currentDpiStage, 2);
        // Scrambled with another code: also rejected.
        sendFeature(dev, scrambledReport(commandReport({0x0b, 7}), "900000"));
        QCOMPARE(state(0).protocolErrors, 2);
        hid_close(dev);
    }

    void unknownOpcodeCountsProtocolError()
    {
        hid_device *dev = openInterface(0, "command");
        sendFeature(dev, commandReport({0x8c, 1})); // second-family command on a first-family mouse
        QCOMPARE(state(0).protocolErrors, 1);
        hid_close(dev);
    }

    void bulkIsCollectedAcrossReports()
    {
        hid_device *dev = openInterface(0, "command");
        const QByteArray macro = pattern(128, 3);
        sendFeature(dev, commandReport({0x13, 5, 0x80}));
        for (int r = 0; r < 3; ++r) {
            QByteArray out(33, 0);
            out.replace(1, 32, macro.mid(r * 32, 32));
            QCOMPARE(hid_write(dev, reinterpret_cast<const uchar *>(out.constData()), 33), 33);
        }
        QCOMPARE(state(0).macros[4],
                 FirmwareState::factory().macros[4]); // not committed before the last report
        QByteArray last(33, 0);
        last.replace(1, 32, macro.mid(96, 32));
        hid_write(dev, reinterpret_cast<const uchar *>(last.constData()), 33);
        QCOMPARE(state(0).macros[4], macro);

        const QByteArray codes = QByteArray::fromHex("0102030405060708");
        sendFeature(dev, commandReport({0x11, 6, 0x08}));
        QCOMPARE(writeBulk(dev, codes + QByteArray(24, 0), 32), 1);
        const QByteArray matrix = pattern(64, 9);
        sendFeature(dev, commandReport({0x12, 3, 0x40, 0x08}));
        QCOMPARE(writeBulk(dev, matrix, 32), 2);
        const QByteArray attributes = pattern(64, 4);
        sendFeature(dev, commandReport({0x16, 0, 0x40}));
        writeBulk(dev, attributes, 32);
        const QByteArray colours = pattern(24, 2);
        sendFeature(dev, commandReport({0x10, 0, 24}));
        writeBulk(dev, colours, 32);
        sendFeature(dev, commandReport({0x10, 2, 4}));
        writeBulk(dev, QByteArray::fromHex("21436587"), 32);
        hid_close(dev);

        const FirmwareState s = state(0);
        QCOMPARE(s.dpiCodes, codes);
        QCOMPARE(s.dpiStageCount, 6);
        QCOMPARE(s.keyMatrices[2], matrix);
        QCOMPARE(s.keyMatrices[1], FirmwareState::factory().keyMatrices[1]);
        QCOMPARE(s.attributeBlock, attributes);
        QCOMPARE(s.stageColors, colours);
        QCOMPARE(s.stageColorsType2.toHex(), QByteArray("21436587"));
        QCOMPARE(s.stageColorType, 2);
        QCOMPARE(s.protocolErrors, 0);

        const QStringList lines = wireLogLines();
        QCOMPARE(lines.filter(QRegularExpression("^\\d+ 0 out ")).size(), 4 + 1 + 2 + 2 + 1 + 1);
        QVERIFY(lines.filter(" out ").first().endsWith(
            QString::fromLatin1(("00 " + macro.left(32).toHex(' ')))));
    }

    void secondFamilyBulkTargets()
    {
        reset({family("560")});
        hid_device *dev = openInterface(0, "command");
        const QByteArray profile = pattern(128, 11);
        sendFeature(dev, commandReport({0x0c, 2, 0x80}));
        QCOMPARE(writeBulk(dev, profile, 32), 4);
        const QByteArray matrix = pattern(64, 12);
        sendFeature(dev, commandReport({0x0d, 1, 0x80}));
        writeBulk(dev, matrix + QByteArray(64, 0), 32);
        const QByteArray macro = pattern(128, 13);
        sendFeature(dev, commandReport({0x0f, 12, 0x80}));
        writeBulk(dev, macro, 32);
        hid_close(dev);

        const FirmwareState s = state(0);
        QCOMPARE(s.profiles[2], profile);
        QCOMPARE(s.profiles[1], FirmwareState::factory().profiles[1]);
        QCOMPARE(s.keyMatrices[0], matrix);
        QCOMPARE(s.keyMatrixBlocks[0], matrix + QByteArray(64, 0));
        QCOMPARE(s.macros[11], macro);
        QCOMPARE(s.protocolErrors, 0);
    }

    void interruptedOrStrayBulkIsAProtocolError()
    {
        hid_device *dev = openInterface(0, "command");
        const QByteArray stray(33, 0);
        hid_write(dev, reinterpret_cast<const uchar *>(stray.constData()), 33);
        QCOMPARE(state(0).protocolErrors, 1);

        sendFeature(dev, commandReport({0x13, 1, 0x80}));
        writeBulk(dev, pattern(64, 1), 32);         // half of the macro
        sendFeature(dev, commandReport({0x0b, 4})); // next command cuts it off
        QCOMPARE(state(0).protocolErrors, 2);
        QCOMPARE(state(0).macros[0], FirmwareState::factory().macros[0]);
        QCOMPARE(state(0).currentDpiStage, 4);
        hid_close(dev);
    }

    void profileReadReturnsImageAsInputReports_data()
    {
        QTest::addColumn<bool>("isEncode");
        QTest::newRow("plain") << false;
        QTest::newRow("scrambled") << true;
    }
    void profileReadReturnsImageAsInputReports()
    {
        QFETCH(bool, isEncode);
        const DeviceConfig c = family("560", isEncode);
        reset({c});
        FirmwareState s = state(0);
        s.profiles[3] = pattern(128, 21);
        setState(0, s);
        hid_device *dev = openInterface(0, "command");
        QCOMPARE(at(exchange(dev, c, {0x8c, 3}), 2), quint8(3));
        QByteArray image;
        for (int r = 0; r < 4; ++r) {
            QByteArray buffer(33, char(0xee));
            QCOMPARE(hid_read(dev, reinterpret_cast<uchar *>(buffer.data()), 33), 32);
            image += buffer.left(32);
        }
        QCOMPARE(image, s.profiles[3]);
        uchar extra[33];
        QCOMPARE(hid_read_timeout(dev, extra, 33, 50), 0);
        hid_close(dev);
        QCOMPARE(wireLogLines().filter(" in ").size(), 4);
    }

    void unplugKillsHandlesAndHidesTheDevice()
    {
        hid_device *command = openInterface(0, "command");
        hid_device *notify = openInterface(0, "notify");
        QVERIFY(command && notify);
        unplug(0);
        QCOMPARE(sendFeature(command, commandReport({0x8b})), -1);
        int result = 0;
        getFeature(command, &result);
        QCOMPARE(result, -1);
        const QByteArray out(33, 0);
        QCOMPARE(hid_write(command, reinterpret_cast<const uchar *>(out.constData()), 33), -1);
        uchar buffer[4];
        QCOMPARE(hid_read_timeout(notify, buffer, 4, 10), -1);
        QCOMPARE(hid_enumerate(0, 0), nullptr);
        QCOMPARE(openInterface(0, "command"), nullptr);

        plug(0);
        QCOMPARE(sendFeature(command, commandReport({0x8b})),
                 -1); // a replug does not revive old handles
        hid_device *fresh = openInterface(0, "command");
        QVERIFY(fresh);
        QCOMPARE(sendFeature(fresh, commandReport({0x8b})), 9);
        hid_close(fresh);
        hid_close(command);
        hid_close(notify);
    }

    void unplugWakesAWaitingRead()
    {
        hid_device *notify = openInterface(0, "notify");
        QElapsedTimer timer;
        timer.start();
        auto read = std::async(std::launch::async, [notify] {
            uchar buffer[4];
            return hid_read_timeout(notify, buffer, 4, 5000);
        });
        QTest::qWait(50);
        unplug(0);
        QCOMPARE(read.get(), -1);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        hid_close(notify);
    }

    void pressDpiDeliversTheStageReport()
    {
        hid_device *notify = openInterface(0, "notify");
        QElapsedTimer timer;
        timer.start();
        std::thread presser([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            pressDpi(0, 3);
        });
        QByteArray buffer(9, 0);
        const int n = hid_read_timeout(notify, reinterpret_cast<uchar *>(buffer.data()), 9, 3000);
        presser.join();
        QCOMPARE(n, 4);
        QCOMPARE(buffer.left(4).toHex(' '), QByteArray("06 07 00 03"));
        QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
        hid_close(notify);

        QCOMPARE(state(0).currentDpiStage, 3);
        hid_device *command = openInterface(0, "command");
        sendFeature(command, commandReport({0x8b}));
        QCOMPARE(at(getFeature(command), 2), quint8(3));
        hid_close(command);
        QVERIFY(wireLogLines().filter(QRegularExpression("^\\d+ 0 in 06 07 00 03$")).size() == 1);
    }

    void pressDpiOnSecondFamilyMovesTheCurrentProfilesStage()
    {
        reset({family("560")});
        pressDpi(0, 5);
        hid_device *command = openInterface(0, "command");
        sendFeature(command, commandReport({0x84, 1}));
        QCOMPARE(at(getFeature(command), 3), quint8(5));
        hid_close(command);
    }

    void mutedMouseStopsAnswering()
    {
        hid_device *notify = openInterface(0, "notify");
        hid_device *command = openInterface(0, "command");
        pressDpi(0, 4);
        setMuted(0, true);
        QElapsedTimer timer;
        timer.start();
        uchar buffer[4];
        QCOMPARE(hid_read_timeout(notify, buffer, 4, 200), 0);
        QVERIFY(timer.elapsed() >= 190 && timer.elapsed() < 1500);
        QCOMPARE(sendFeature(command, commandReport({0x8b})), 9);
        int result = 0;
        getFeature(command, &result);
        QCOMPARE(result, -1);

        auto blocked = std::async(std::launch::async, [notify] {
            uchar b[4];
            return hid_read(notify, b, 4);
        });
        QCOMPARE(blocked.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
        setMuted(0, false);
        QCOMPARE(blocked.get(), 4); // the queued report arrives once it talks again
        hid_close(notify);
        hid_close(command);
    }

    void nonblockingReadReturnsAtOnce()
    {
        hid_device *notify = openInterface(0, "notify");
        QCOMPARE(hid_set_nonblocking(notify, 1), 0);
        QElapsedTimer timer;
        timer.start();
        uchar b[4];
        QCOMPARE(hid_read(notify, b, 4), 0);
        QVERIFY(timer.elapsed() < 500);
        hid_close(notify);
    }

    void wireLogLinesAndFile()
    {
        QTemporaryDir dir;
        const QString logPath = dir.filePath("wire.log");
        qputenv("KAIRO_VIRTUAL_MOUSE_LOG", logPath.toLocal8Bit());
        reset();
        qunsetenv("KAIRO_VIRTUAL_MOUSE_LOG");
        hid_device *command = openInterface(0, "command");
        sendFeature(command, commandReport({0x8b}));
        getFeature(command);
        hid_close(command);

        const QStringList lines = wireLogLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY2(QRegularExpression("^\\d+ 0 feature-out 00 8b 00 00 00 00 00 00 74$")
                     .match(lines[0])
                     .hasMatch(),
                 qPrintable(lines[0]));
        QVERIFY2(QRegularExpression("^\\d+ 0 feature-in 00 8b 02 00 00 00 00 00 [0-9a-f]{2}$")
                     .match(lines[1])
                     .hasMatch(),
                 qPrintable(lines[1]));
        QFile file(logPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), lines.join('\n') + '\n');

        clearWireLog();
        QVERIFY(wireLog().isEmpty());
    }

    void apiHookSeesEveryCallAndCanUnplugMidTransfer()
    {
        QStringList calls;
        int writes = 0;
        setApiHook([&](const char *function) {
            calls << function;
            if (QByteArray(function) == "hid_write" && ++writes == 3)
                unplug(0);
        });
        hid_device *command = openInterface(0, "command");
        sendFeature(command, commandReport({0x13, 2, 0x80}));
        QCOMPARE(writeBulk(command, pattern(128, 5), 32), -1);
        hid_close(command);
        setApiHook(nullptr);
        QCOMPARE(calls, QStringList({"hid_open_path", "hid_send_feature_report", "hid_write",
                                     "hid_write", "hid_write", "hid_close"}));
        QCOMPARE(state(0).macros[1], FirmwareState::factory().macros[1]);
        QCOMPARE(wireLogLines().filter(" out ").size(), 2);
    }

    void setStateKeepsBlockSizes()
    {
        FirmwareState s;
        s.dpiCodes = QByteArray::fromHex("0102");
        setState(0, s);
        QCOMPARE(state(0).dpiCodes.toHex(), QByteArray("0102000000000000"));
        QCOMPARE(state(0).profiles[4].size(), 128);
    }
};

QTEST_GUILESS_MAIN(TestSimFirmware)
#include "test_sim_firmware.moc"
