// The real scene in the real main widget, in-process against the virtual
// mouse: start-up, zoom, stored mode, the second family's profile, Save and
// the window buttons.
#include "core/myqquickview.h"
#include "core/widget.h"
#include "tests/support/builtmodules.h"

#include "sim/virtualmouse.h"

#include <QApplication>
#include <QQuickItem>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct Start {
    QString family = QStringLiteral("553");
    int storedMode = 0;
    int deviceProfile = 1;
};

bool isCommand(const kairo::sim::WireRecord &record)
{
    return record.direction == kairo::sim::Direction::FeatureOut && record.plain.size() == 9;
}

// Feature reports sent with the given opcode, as their parameter bytes.
QList<QByteArray> commandsWith(quint8 opcode)
{
    QList<QByteArray> found;
    for (const kairo::sim::WireRecord &record : kairo::sim::wireLog()) {
        if (isCommand(record) && quint8(record.plain[1]) == opcode)
            found << record.plain.mid(2, 6);
    }
    return found;
}

// Searches the visual tree, which holds the delegates of lists too.
QQuickItem *findItem(QQuickItem *from, const QString &name)
{
    if (from->objectName() == name)
        return from;
    for (QQuickItem *child : from->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

int trafficCount()
{
    int count = 0;
    for (const kairo::sim::WireRecord &record : kairo::sim::wireLog()) {
        if (record.direction == kairo::sim::Direction::FeatureOut
            || record.direction == kairo::sim::Direction::Out)
            ++count;
    }
    return count;
}

} // namespace

class SceneFrame : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<Widget> widget;

    QString profilePath() const
    {
        return workDir->filePath(QStringLiteral("modules/setting/p1.bin"));
    }

    void startProgram(const Start &start)
    {
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(copyBuiltModules(workDir->path()));
        {
            QSettings config(workDir->filePath(QStringLiteral("modules/setting/apConfig.bin")),
                             QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), start.family);
            QSettings profile(profilePath(), QSettings::IniFormat);
            profile.setValue(QStringLiteral("mouse/mouseMode"), start.storedMode);
        }
        QVERIFY(QDir::setCurrent(workDir->path()));

        kairo::sim::DeviceConfig mouse;
        mouse.family = start.family;
        kairo::sim::reset({mouse});
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.currentProfile = start.deviceProfile;
        kairo::sim::setState(0, state);

        widget = std::make_unique<Widget>();
        widget->show();
        widget->checkDevice();
        QTRY_VERIFY_WITH_TIMEOUT(root() && root()->property("isPownOn").toBool(), 10000);
        // The start-up logo gives way to the frame once the one-second lock ends.
        QTRY_VERIFY_WITH_TIMEOUT(!item("powerOnLogo")->isVisible(), 5000);
        QVERIFY(widget->view()->isEnabled());
    }

    QQuickItem *root() const { return widget->view()->rootObject(); }

    QQuickItem *item(const char *name) const
    {
        QQuickItem *found = root()->findChild<QQuickItem *>(QLatin1String(name));
        if (!found)
            qWarning("no item %s", name);
        return found;
    }

    void click(QQuickItem *target)
    {
        QVERIFY(target);
        QVERIFY2(target->isVisible(), qPrintable(target->objectName()));
        const QPointF centre =
            target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(widget->view(), Qt::LeftButton, {}, centre.toPoint());
    }

private slots:
    void cleanup()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }

    // The design is drawn larger about the centre when the window is maximised.
    void zoomFollowsTheWindow()
    {
        startProgram(Start{});
        QQuickItem *dpiPage = item("dpiSettingMain");
        QVERIFY(dpiPage);
        const qreal designWidth = dpiPage->width();

        widget->view()->invokeScene("setScreenRect", Qt::DirectConnection, {1920, 1080, true});
        QCOMPARE(root()->property("zoomInRate_min").toDouble(), 1.5);
        QCOMPARE(root()->property("zoomInRate_max").toDouble(), 1.5);
        QCOMPARE(root()->property("isFrameMax").toBool(), true);
        QCOMPARE(root()->width(), 1920.0);
        QCOMPARE(dpiPage->mapRectToScene(dpiPage->boundingRect()).width(), designWidth * 1.5);

        widget->view()->invokeScene("setScreenRect", Qt::DirectConnection, {1280, 1024, false});
        QCOMPARE(root()->property("zoomInRate_min").toDouble(), 1.0);
        QCOMPARE(root()->property("zoomInRate_max").toDouble(), 1024.0 / 720.0);
    }

    // A stored game mode is opened although the user cannot choose it.
    void storedModeIsApplied_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("isGun");
        QTest::newRow("office") << 0 << false;
        QTest::newRow("game") << 1 << true;
    }
    void storedModeIsApplied()
    {
        QFETCH(int, stored);
        QFETCH(bool, isGun);
        Start start;
        start.storedMode = stored;
        startProgram(start);
        QCOMPARE(root()->property("mouseMode").toInt(), stored);
        QCOMPARE(root()->property("isGun").toBool(), isGun);
        QVERIFY(item("officeModeButton")->isVisible());
        QVERIFY(!item("gameModeButton")->isVisible());
    }

    // A second-family mouse left on another device profile is put back on profile 1.
    void secondFamilyStartsOnProfileOne_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("deviceProfile");
        QTest::addColumn<int>("switches");
        QTest::newRow("560 on profile 3") << "560" << 3 << 1;
        QTest::newRow("560 on profile 1") << "560" << 1 << 0;
        QTest::newRow("553") << "553" << 3 << 0;
    }
    void secondFamilyStartsOnProfileOne()
    {
        QFETCH(QString, family);
        QFETCH(int, deviceProfile);
        QFETCH(int, switches);
        Start start;
        start.family = family;
        start.deviceProfile = deviceProfile;
        startProgram(start);
        const QList<QByteArray> sets = commandsWith(0x02);
        QCOMPARE(sets.size(), switches);
        if (switches)
            QCOMPARE(quint8(sets.first()[0]), quint8(1));
        QCOMPARE(kairo::sim::state(0).currentProfile, switches ? 1 : deviceProfile);
    }

    // Save sends only what changed: nothing at all, then the report rate alone.
    void saveSendsOnlyWhatChanged_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("reportRateOpcode");
        QTest::newRow("553") << "553" << 0x01;
        QTest::newRow("560") << "560" << 0x03;
    }
    void saveSendsOnlyWhatChanged()
    {
        QFETCH(QString, family);
        QFETCH(int, reportRateOpcode);
        Start start;
        start.family = family;
        startProgram(start);
        kairo::sim::clearWireLog();

        click(item("saveButton"));
        QVERIFY(widget->view()->isEnabled());
        QVERIFY(!root()->property("busy").toBool());
        QCOMPARE(trafficCount(), 0);

        QQuickItem *list = item("reportRateList");
        click(list);
        QTRY_VERIFY(list->property("isDrop").toBool() && !list->property("isAnimating").toBool());
        QQuickItem *row = findItem(list, QStringLiteral("row1"));
        QVERIFY(row);
        click(row);
        QTRY_VERIFY_WITH_TIMEOUT(root()->property("anyUnsaved").toBool(), 2000);
        QCOMPARE(trafficCount(), 0);

        click(item("saveButton"));
        QVERIFY(!root()->property("anyUnsaved").toBool());
        QVERIFY(widget->view()->isEnabled());
        const QList<QByteArray> rates = commandsWith(quint8(reportRateOpcode));
        QCOMPARE(rates.size(), 1);
        QCOMPARE(quint8(rates.first()[0]), quint8(1));
        QSettings profile(profilePath(), QSettings::IniFormat);
        QCOMPARE(profile.value(QStringLiteral("mouse/reportRate")).toInt(), 1);
    }

    // The close button hides the window to the tray, or minimises it where no
    // tray host could bring it back (this test's bare X server); the program
    // stays, and nothing in the scene keeps running.
    void closeHidesToTray()
    {
        startProgram(Start{});
        QVERIFY(widget->isVisible());
        click(item("closeButton"));
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QTRY_VERIFY(!widget->isVisible());
        else
            QTRY_VERIFY(widget->isMinimized());
        QVERIFY(widget->trayIcon() && widget->trayIcon()->isVisible());
        QTest::qWait(100);
        QVERIFY(!QCoreApplication::closingDown());

        QStringList running;
        const QList<QObject *> objects = root()->findChildren<QObject *>();
        for (QObject *object : objects) {
            const QVariant value = object->property("running");
            if (value.isValid() && value.toBool())
                running << QString::fromLatin1(object->metaObject()->className());
        }
        QVERIFY2(running.isEmpty(), qPrintable(running.join(u' ')));
        QVERIFY(objects.size() > 50);
    }
};

QTEST_MAIN(SceneFrame)
#include "test_scene_frame.moc"
