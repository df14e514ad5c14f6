// The pointer operations hand the platform layer the system values the
// sliders stand for, and log a failure only when the layer reports one.
#include "operations/deviceoperations.h"
#include "tests/support/debugcapture.h"

#include "operations/platform/pointersettings.h"
#include "settings/settingsstore.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

class RecordingPointer : public PointerSettings
{
public:
    bool setCursorSpeed(int speed) override
    {
        calls << QString("speed %1").arg(speed);
        return succeed;
    }
    bool setDoubleClickTime(int ms) override
    {
        calls << QString("double %1").arg(ms);
        return succeed;
    }
    bool setWheelScrollLines(int lines) override
    {
        calls << QString("wheel %1").arg(lines);
        return succeed;
    }
    PointerSupport support() override { return offered; }

    QStringList calls;
    bool succeed = true;
    PointerSupport offered;
};

} // namespace

class TestOperationsPointer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The lines these tests wait for are off unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("kairo.debug=true"));
    }
    void systemValues();
    void failuresLogged();
    void supportForThePage();
};

void TestOperationsPointer::systemValues()
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    auto pointer = std::make_shared<RecordingPointer>();
    DeviceOperations operations(store, pointer);

    operations.pointer.mouseSetCursorSpeed(0);
    operations.pointer.mouseSetCursorSpeed(7);
    operations.pointer.mouseSetCursorSpeed(10);
    operations.pointer.mouseSetDoubleClickSpeed(0);
    operations.pointer.mouseSetDoubleClickSpeed(3);
    operations.pointer.mouseSetDoubleClickSpeed(10);
    operations.pointer.mouseSetVerticalScrollLines(3);
    operations.pointer.mouseSetVerticalScrollLines(1000);
    QCOMPARE(pointer->calls, QStringList({"speed 1", "speed 14", "speed 20", "double 900",
                                          "double 690", "double 200", "wheel 3", "wheel 1000"}));
}

void TestOperationsPointer::failuresLogged()
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    auto pointer = std::make_shared<RecordingPointer>();
    pointer->succeed = false;
    DeviceOperations operations(store, pointer);

    QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed ");
    operations.pointer.mouseSetCursorSpeed(5);
    QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed ");
    operations.pointer.mouseSetDoubleClickSpeed(5);
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed ");
    operations.pointer.mouseSetVerticalScrollLines(5);
    QCOMPARE(pointer->calls.size(), 3);

    // Success stays quiet; without a layer every call fails.
    pointer->succeed = true;
    QStringList logged;
    {
        DebugCapture capture(DebugCapture::AllMessages);
        operations.pointer.mouseSetCursorSpeed(5);
        operations.pointer.mouseSetVerticalScrollLines(5);
        PointerOperations withoutLayer;
        withoutLayer.mouseSetDoubleClickSpeed(1);
        logged = capture.lines();
    }
    QCOMPARE(logged, QStringList({"setDoubleClickSpeed Failed "}));
}

// The page reads one map: a flag per setting, why one is off, the desktop.
void TestOperationsPointer::supportForThePage()
{
    auto pointer = std::make_shared<RecordingPointer>();
    pointer->offered = {"GNOME", PointerGap::NoGap, PointerGap::NoTool, PointerGap::NoSetting};
    PointerOperations operations(pointer.get());
    const QVariantMap expected{{"desktop", "GNOME"},          {"cursorSpeed", true},
                               {"cursorSpeedGap", ""},        {"doubleClick", false},
                               {"doubleClickGap", "noTool"},  {"wheelLines", false},
                               {"wheelLinesGap", "noSetting"}};
    QCOMPARE(operations.pointerSettingsSupport(), expected);
    pointer->offered = {"KDE", PointerGap::NoDevice, PointerGap::NoGap, PointerGap::NoGap};
    QCOMPARE(operations.pointerSettingsSupport().value("cursorSpeedGap").toString(),
             QStringLiteral("noDevice"));
    QVERIFY(operations.pointerSettingsSupport().value("wheelLines").toBool());

    // Without a layer the page offers nothing.
    const QVariantMap bare = PointerOperations().pointerSettingsSupport();
    QVERIFY(!bare.value("cursorSpeed").toBool());
    QCOMPARE(bare.value("wheelLinesGap").toString(), QStringLiteral("noSetting"));
    QVERIFY(bare.value("desktop").toString().isEmpty());
}

QTEST_GUILESS_MAIN(TestOperationsPointer)
#include "test_operations_pointer.moc"
