// The event-node source's reading path, fed by pipes in place of
// /dev/input/event*: the records a kernel writes go in, the usages and button
// codes of the hooks come out. Which nodes are keyboards is the opener's
// business; here it says so itself, since libevdev needs real devices.
#include "input/evdeveventsource.h"
#include "input/inputhooks.h"
#include "tests/input/inputrecorder.h"

#include <QDir>
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
Record sync(int node, quint16 code = SYN_REPORT)
{
    return {node, EV_SYN, code, 0};
}

// One stand-in node: the read end goes to the source, the test writes.
struct FakeNode {
    QString name;
    bool readable = true;
    bool typingKeys = false;
    bool buttons = false;
    int readFd = -1;
    int writeFd = -1;
};

QList<FakeNode> standardNodes()
{
    // event0 and event2 keyboards, event1 a mouse, event3 one the user may not read.
    return {{"event0", true, true, false},
            {"event1", true, false, true},
            {"event2", true, true, false},
            {"event3", false, true, false}};
}

input_event makeEvent(quint16 type, quint16 code, qint32 value)
{
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

int openFdCount()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::Files).size());
}

} // namespace

Q_DECLARE_METATYPE(Records)
Q_DECLARE_METATYPE(QList<FakeNode>)

class TestInputEvdev : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    QList<FakeNode> fakes;
    QStringList asked;
    EvdevEventSource *source = nullptr;
    std::unique_ptr<InputHooks> hooks;
    InputRecorder recorder;

    EvdevNodeAccess access()
    {
        return {folder.path(), [this](const QString &path) {
                    asked << QFileInfo(path).fileName();
                    for (const FakeNode &fake : std::as_const(fakes)) {
                        if (QFileInfo(path).fileName() == fake.name && fake.readable)
                            return EvdevNode{fake.readFd, fake.typingKeys, fake.buttons};
                    }
                    return EvdevNode{};
                }};
    }

    // Pipes and folder entries for the nodes.
    void prepare(const QList<FakeNode> &nodes)
    {
        fakes = nodes;
        for (FakeNode &fake : fakes) {
            int ends[2];
            QCOMPARE(pipe2(ends, O_CLOEXEC), 0);
            fcntl(ends[0], F_SETFL, O_NONBLOCK);
            fake.readFd = ends[0];
            fake.writeFd = ends[1];
            QFile entry(folder.filePath(fake.name));
            QVERIFY(entry.open(QIODevice::WriteOnly));
        }
    }

    bool startWith(const QList<FakeNode> &nodes)
    {
        prepare(nodes);
        return install();
    }

    // The hooks on the folder, with the source reading the prepared nodes.
    bool install()
    {
        auto evdev = std::make_unique<EvdevEventSource>(access());
        source = evdev.get();
        hooks = std::make_unique<InputHooks>(std::move(evdev));
        recorder = InputRecorder();
        recorder.listenTo(*hooks);
        return hooks->installInputHooks();
    }

    void write(const Record &record)
    {
        const input_event event = makeEvent(record.type, record.code, record.value);
        QCOMPARE(::write(fakes[record.node].writeFd, &event, sizeof event), ssize_t(sizeof event));
    }

    // One record at a time, read before the next is written, so that records
    // of different nodes arrive in the order of the list.
    void feed(const Records &records)
    {
        for (const Record &record : records) {
            write(record);
            QCoreApplication::processEvents();
        }
    }

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void cleanup()
    {
        hooks.reset();
        for (const FakeNode &fake : std::as_const(fakes)) {
            if (fake.writeFd >= 0)
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

        QTest::newRow("letter") << Records{key(0, KEY_A, 1), sync(0), key(0, KEY_A, 0), sync(0)}
                                << QList<Key>{{0x04, true}, {0x04, false}} << QList<Button>{};
        QTest::newRow("held key repeats")
            << Records{key(0, KEY_B, 1), sync(0),          key(0, KEY_B, 2),
                       sync(0),          key(0, KEY_B, 2), key(0, KEY_B, 0)}
            << QList<Key>{{0x05, true}, {0x05, false}} << QList<Button>{};
        QTest::newRow("Enter, keypad Enter, left and right Ctrl")
            << Records{key(0, KEY_ENTER, 1),     key(0, KEY_ENTER, 0),    key(0, KEY_KPENTER, 1),
                       key(0, KEY_KPENTER, 0),   key(2, KEY_LEFTCTRL, 1), key(2, KEY_LEFTCTRL, 0),
                       key(2, KEY_RIGHTCTRL, 1), key(2, KEY_RIGHTCTRL, 0)}
            << QList<Key>{{0x28, true}, {0x28, false}, {0x58, true}, {0x58, false},
                          {0xE0, true}, {0xE0, false}, {0xE4, true}, {0xE4, false}}
            << QList<Button>{};
        QTest::newRow("Alt on one keyboard, Print Screen on the other")
            << Records{key(0, KEY_LEFTALT, 1), key(2, KEY_SYSRQ, 1), key(2, KEY_SYSRQ, 0),
                       key(0, KEY_LEFTALT, 0)}
            << QList<Key>{{0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}}
            << QList<Button>{};
        // Without a GUI application there is no pointer position: 0, 0.
        QTest::newRow("buttons; side button and movement left out")
            << Records{key(1, BTN_LEFT, 1),
                       sync(1),
                       key(1, BTN_LEFT, 0),
                       {1, EV_REL, REL_X, 5},
                       sync(1),
                       key(1, BTN_RIGHT, 1),
                       key(1, BTN_RIGHT, 0),
                       key(1, BTN_SIDE, 1),
                       key(1, BTN_SIDE, 0),
                       key(1, BTN_MIDDLE, 1),
                       key(1, BTN_MIDDLE, 0)}
            << QList<Key>{}
            << QList<Button>{{0xF0, true, 0, 0},  {0xF0, false, 0, 0}, {0xF1, true, 0, 0},
                             {0xF1, false, 0, 0}, {0xF2, true, 0, 0},  {0xF2, false, 0, 0}};
        QTest::newRow("overflow drops up to the next report")
            << Records{key(0, KEY_C, 1), sync(0, SYN_DROPPED), key(0, KEY_D, 1), key(0, KEY_D, 0),
                       sync(0),          key(0, KEY_E, 1),     key(0, KEY_E, 0)}
            << QList<Key>{{0x06, true}, {0x08, true}, {0x08, false}} << QList<Button>{};
    }
    void recordsBecomeUsagesAndButtons()
    {
        QFETCH(Records, records);
        QFETCH(QList<Key>, keys);
        QFETCH(QList<Button>, buttons);
        QVERIFY(startWith(standardNodes()));
        feed(records);
        QTRY_COMPARE(recorder.keys, keys);
        QCOMPARE(recorder.buttons, buttons);
    }

    void recordSplitAcrossTwoWrites()
    {
        QVERIFY(startWith(standardNodes()));
        const input_event event = makeEvent(EV_KEY, KEY_F, 1);
        const char *bytes = reinterpret_cast<const char *>(&event);
        QCOMPARE(::write(fakes[0].writeFd, bytes, 10), ssize_t(10));
        QTest::qWait(50);
        QVERIFY(recorder.keys.isEmpty());
        QCOMPARE(::write(fakes[0].writeFd, bytes + 10, sizeof event - 10),
                 ssize_t(sizeof event - 10));
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x09, true}}));
    }

    void onlyReadableEventNodesAreOpened()
    {
        QDir(folder.path()).mkdir("by-id");
        QFile(folder.filePath("js0")).open(QIODevice::WriteOnly);
        QVERIFY(startWith(standardNodes()));
        QCOMPARE(asked, (QStringList{"event0", "event1", "event2", "event3"}));
        QCOMPARE(source->nodeCount(), 3);
        QCOMPARE(source->keyboardCount(), 2);
    }

    void noReadableKeyboardNoStart_data()
    {
        QTest::addColumn<QList<FakeNode>>("nodes");
        QTest::newRow("a mouse only")
            << QList<FakeNode>{{"event0", true, false, true}, {"event1", false, true, false}};
        QTest::newRow("nothing readable") << QList<FakeNode>{{"event0", false, true, false}};
        QTest::newRow("no nodes") << QList<FakeNode>{};
    }
    void noReadableKeyboardNoStart()
    {
        QFETCH(QList<FakeNode>, nodes);
        QVERIFY(!startWith(nodes));
        QCOMPARE(source->nodeCount(), 0);
        // The mouse's node was opened and is closed again.
        for (const FakeNode &fake : std::as_const(fakes)) {
            if (fake.readable)
                QCOMPARE(fcntl(fake.readFd, F_GETFD), -1);
        }
    }

    void vanishedKeyboardLetsItsKeysGo()
    {
        QVERIFY(startWith(standardNodes()));
        feed({key(0, KEY_H, 1), sync(0)});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x0B, true}}));
        ::close(std::exchange(fakes[0].writeFd, -1));
        QTRY_COMPARE(source->nodeCount(), 2);
        QCOMPARE(recorder.keys, (QList<Key>{{0x0B, true}, {0x0B, false}}));
        QCOMPARE(fcntl(fakes[0].readFd, F_GETFD), -1);
        feed({key(2, KEY_I, 1), key(2, KEY_I, 0)});
        QTRY_COMPARE(recorder.keys.size(), 4);
        QCOMPARE(recorder.keys.mid(2), (QList<Key>{{0x0C, true}, {0x0C, false}}));
    }

    void nodeFailingToReadIsClosed()
    {
        // A directory reads with an error, the way an unplugged device does.
        prepare(standardNodes());
        ::close(fakes[2].readFd);
        fakes[2].readFd = ::open(qPrintable(QDir::tempPath()), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(fakes[2].readFd >= 0);
        QVERIFY(install());
        QTRY_COMPARE(source->nodeCount(), 2);
        feed({key(0, KEY_J, 1), key(0, KEY_J, 0)});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x0D, true}, {0x0D, false}}));
    }

    void stoppedByItsOwnCallback()
    {
        QVERIFY(startWith(standardNodes()));
        static InputHooks *stopping = nullptr;
        stopping = hooks.get();
        hooks->setKeyboardCallback(
            [](int usage, bool isDown, void *context) {
                InputRecorder::onKey(usage, isDown, context);
                stopping->removeInputHooks();
            },
            &recorder);
        // Both presses are read at once; the second must not be delivered.
        const input_event presses[2] = {makeEvent(EV_KEY, KEY_K, 1), makeEvent(EV_KEY, KEY_L, 1)};
        QCOMPARE(::write(fakes[0].writeFd, presses, sizeof presses), ssize_t(sizeof presses));
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x0E, true}}));
        QTest::qWait(50);
        QCOMPARE(recorder.keys.size(), 1);
        QCOMPARE(source->nodeCount(), 0);
    }

    void realOpenerTakesOnlyEventDevices()
    {
        // What this machine offers in place of an event device; a real one
        // (classified by libevdev) is not available here.
        QFile plain(folder.filePath("event9"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("not an input device");
        plain.close();
        const int before = openFdCount();
        for (const QString &path :
             {folder.filePath("event9"), QStringLiteral("/dev/null"), folder.filePath("missing")})
            QCOMPARE(openEventNode(path).fd, -1);
        QCOMPARE(openFdCount(), before);
    }
};

QTEST_GUILESS_MAIN(TestInputEvdev)
#include "test_input_evdev.moc"
