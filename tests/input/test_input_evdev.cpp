// The event-node source's reading path, fed by pipes in place of
// /dev/input/event*: the records a kernel writes go in, the hooks' usages and
// button codes come out. Which nodes are keyboards is the opener's business;
// here it says so itself, since libevdev needs real devices.
#include "input/evdeveventsource.h"
#include "input/inputhooks.h"
#include "tests/input/inputrecorder.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

using Key = InputRecorder::Key;
using Button = InputRecorder::Button;

namespace {

struct Record {
    int node;
    quint16 type;
    quint16 code;
    qint32 value;
};
using Records = QList<Record>;

Record key(int node, quint16 code, qint32 value)
{
    return {node, EV_KEY, code, value};
}

input_event makeEvent(quint16 type, quint16 code, qint32 value)
{
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

// One stand-in node: the source reads one end of a pipe, the test writes the other.
struct FakeNode {
    QString name;
    bool readable = true;
    bool typingKeys = false;
    bool buttons = false;
    int readFd = -1;
    int writeFd = -1;
};
using FakeNodes = QList<FakeNode>;

// Two keyboards, a mouse, and a keyboard the user may not read.
const FakeNodes standardNodes{{"event0", true, true, false},
                              {"event1", true, false, true},
                              {"event2", true, true, false},
                              {"event3", false, true, false}};

} // namespace

Q_DECLARE_METATYPE(Records)

class TestInputEvdev : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    FakeNodes fakes;
    QStringList asked;
    EvdevEventSource *source = nullptr;
    std::unique_ptr<InputHooks> hooks;
    InputRecorder recorder;

    EvdevNode open(const QString &path)
    {
        asked << QFileInfo(path).fileName();
        for (const FakeNode &fake : std::as_const(fakes)) {
            if (fake.name == asked.last() && fake.readable)
                return EvdevNode{fake.readFd, fake.typingKeys, fake.buttons};
        }
        return {};
    }

    // Pipes for the nodes; beside them what a source must leave alone.
    void prepare(const FakeNodes &nodes)
    {
        QVERIFY(QDir(folder.path()).mkpath("by-id"));
        QVERIFY(QFile(folder.filePath("js0")).open(QIODevice::WriteOnly));
        fakes = nodes;
        for (FakeNode &fake : fakes) {
            int ends[2];
            QCOMPARE(pipe2(ends, O_CLOEXEC), 0);
            fcntl(ends[0], F_SETFL, O_NONBLOCK);
            std::tie(fake.readFd, fake.writeFd) = std::tie(ends[0], ends[1]);
            QVERIFY(QFile(folder.filePath(fake.name)).open(QIODevice::WriteOnly));
        }
    }

    bool install()
    {
        EvdevNodeAccess access{folder.path(), [this](const QString &path) { return open(path); }};
        auto evdev = std::make_unique<EvdevEventSource>(access);
        source = evdev.get();
        hooks = std::make_unique<InputHooks>(std::move(evdev));
        recorder.listenTo(*hooks);
        return hooks->installInputHooks();
    }

    // One record at a time, each read before the next is written, so that
    // records of different nodes arrive in the order of the list.
    void feed(const Records &records)
    {
        for (const Record &record : records) {
            const input_event event = makeEvent(record.type, record.code, record.value);
            QCOMPARE(::write(fakes[record.node].writeFd, &event, sizeof event),
                     ssize_t(sizeof event));
            QCoreApplication::processEvents();
        }
    }

private slots:
    void init() { recorder = InputRecorder(); }

    void cleanup()
    {
        hooks.reset();
        for (const FakeNode &fake : std::as_const(fakes)) {
            ::close(fake.writeFd);
            if (!fake.readable) // the others were the source's to close
                ::close(fake.readFd);
        }
        fakes.clear();
        asked.clear();
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
    }

    void recordsBecomeUsagesAndButtons_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QList<Button>>("buttons");
        const Record report{0, EV_SYN, SYN_REPORT, 0};

        QTest::newRow("letter") << Records{key(0, KEY_A, 1), report, key(0, KEY_A, 0), report}
                                << QList<Key>{{0x04, true}, {0x04, false}} << QList<Button>{};
        QTest::newRow("held key repeats")
            << Records{key(0, KEY_B, 1), key(0, KEY_B, 2), key(0, KEY_B, 2), key(0, KEY_B, 0)}
            << QList<Key>{{0x05, true}, {0x05, false}} << QList<Button>{};
        // One modifier state for all keyboards, as on a PC with two.
        QTest::newRow("Alt on one keyboard, Print Screen on the other")
            << Records{key(0, KEY_LEFTALT, 1), key(2, KEY_SYSRQ, 1), key(2, KEY_SYSRQ, 0),
                       key(0, KEY_LEFTALT, 0)}
            << QList<Key>{{0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}}
            << QList<Button>{};
        // Without a GUI application there is no pointer position: 0, 0.
        QTest::newRow("buttons; side button and movement left out")
            << Records{key(1, BTN_LEFT, 1),  {1, EV_REL, REL_X, 5}, key(1, BTN_LEFT, 0),
                       key(1, BTN_SIDE, 1),  key(1, BTN_SIDE, 0),   key(1, BTN_RIGHT, 1),
                       key(1, BTN_RIGHT, 0), key(1, BTN_MIDDLE, 1), key(1, BTN_MIDDLE, 0)}
            << QList<Key>{}
            << QList<Button>{{0xF0, true, 0, 0},  {0xF0, false, 0, 0}, {0xF1, true, 0, 0},
                             {0xF1, false, 0, 0}, {0xF2, true, 0, 0},  {0xF2, false, 0, 0}};
        QTest::newRow("overflow drops up to the next report")
            << Records{key(0, KEY_C, 1), {0, EV_SYN, SYN_DROPPED, 0},
                       key(0, KEY_D, 1), key(0, KEY_D, 0),
                       report,           key(0, KEY_E, 1),
                       key(0, KEY_E, 0)}
            << QList<Key>{{0x06, true}, {0x08, true}, {0x08, false}} << QList<Button>{};
    }
    void recordsBecomeUsagesAndButtons()
    {
        QFETCH(Records, records);
        QFETCH(QList<Key>, keys);
        QFETCH(QList<Button>, buttons);
        prepare(standardNodes);
        QVERIFY(install());
        feed(records);
        QTRY_COMPARE(recorder.keys, keys);
        QCOMPARE(recorder.buttons, buttons);
    }

    void mouseAloneIsNoStart()
    {
        prepare({{"event0", true, false, true}, {"event1", false, true, false}});
        QVERIFY(!install());
        QCOMPARE(source->nodeCount(), 0);
        QCOMPARE(fcntl(fakes[0].readFd, F_GETFD), -1); // opened, and closed again
    }

    void vanishedKeyboardLetsItsKeysGo()
    {
        prepare(standardNodes);
        QVERIFY(install());
        QCOMPARE(asked, (QStringList{"event0", "event1", "event2", "event3"}));
        QCOMPARE(source->nodeCount(), 3);
        QCOMPARE(source->keyboardCount(), 2);
        feed({key(0, KEY_H, 1)});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x0B, true}}));
        ::close(std::exchange(fakes[0].writeFd, -1)); // reads as the end of the file
        QTRY_COMPARE(source->nodeCount(), 2);
        QCOMPARE(recorder.keys, (QList<Key>{{0x0B, true}, {0x0B, false}}));
        QCOMPARE(fcntl(fakes[0].readFd, F_GETFD), -1);
        feed({key(2, KEY_I, 1)});
        QTRY_COMPARE(recorder.keys.last(), Key(0x0C, true));
    }

    void nodeFailingToReadIsClosed()
    {
        // A directory fails to read, as an unplugged device does (ENODEV).
        prepare(standardNodes);
        ::close(fakes[2].readFd);
        fakes[2].readFd = ::open(qPrintable(QDir::tempPath()), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(install());
        QTRY_COMPARE(source->nodeCount(), 2);
        feed({key(0, KEY_J, 1)});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x0D, true}}));
    }

    void realOpenerTakesOnlyEventDevices()
    {
        // What this machine has in place of an event device; libevdev's
        // answer for a real one could not be tried here.
        QFile plain(folder.filePath("event9"));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("no input device") > 0);
        plain.close();
        const auto openFds = [] { return QDir("/proc/self/fd").entryList(QDir::System).size(); };
        const qsizetype before = openFds();
        for (const QString &path :
             {plain.fileName(), QStringLiteral("/dev/null"), folder.filePath("missing")})
            QCOMPARE(openEventNode(path).fd, -1);
        QCOMPARE(openFds(), before);
    }
};

QTEST_GUILESS_MAIN(TestInputEvdev)
#include "test_input_evdev.moc"
