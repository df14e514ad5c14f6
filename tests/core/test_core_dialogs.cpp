// Kairo's own dialogs over the real window and scene, against the virtual
// mouse: message boxes and file dialogs draw readably in the desktop's
// style, the warnings of one user action share one box, and quitting (or
// closing the window) with unsaved changes never loses them unasked.
#include "core/myqquickview.h"
#include "core/ui_controler.h"
#include "core/widget.h"
#include "core/widgetdialogs.h"
#include "tests/support/builtmodules.h"
#include "tests/support/trayhost.h"

#include "sim/virtualmouse.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <limits>
#include <memory>

// Sends the window manager's close request (WM_DELETE_WINDOW) to an X window.
bool sendDesktopClose(WId window);

namespace {

struct Box {
    QString title;
    QString text;
    bool modal = false;
    QWidget *parent = nullptr;
};

// Answers every message box that comes up while it lives, the way a user
// would: it notes what the box said and clicks the chosen button.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer)
        : answer(answer)
    {
        connect(&poll, &QTimer::timeout, this, &BoxAnswerer::answerOpenBox);
        poll.start(20);
    }
    QList<Box> boxes;
    QList<QStringList> buttonTexts; // Save, Discard, Cancel where the box has them

private:
    void answerOpenBox()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        boxes.append({box->windowTitle(), box->text(), box->isModal(), box->parentWidget()});
        QStringList texts;
        for (auto which : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
            if (QAbstractButton *button = box->button(which))
                texts << button->text();
        }
        buttonTexts.append(texts);
        QAbstractButton *button = box->button(answer);
        (button ? button : box->button(QMessageBox::Ok))->click();
    }
    QMessageBox::StandardButton answer;
    QTimer poll;
};

// Runs the event loop for a while, as the program does between actions.
void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, [&loop] { loop.exit(0); });
    loop.exec();
}

// How far the text of `label` lies from the background behind it, as the
// dialog is drawn over a black desktop: the largest channel difference
// between the label's most common colour and the one farthest from it.
int textContrast(QWidget *dialog, QWidget *label)
{
    QImage drawn(dialog->size(), QImage::Format_RGB32);
    drawn.fill(Qt::black);
    {
        QPainter painter(&drawn);
        painter.drawPixmap(0, 0, dialog->grab());
    }
    const QRect area(label->mapTo(dialog, QPoint(0, 0)), label->size());
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[drawn.pixel(x, y)];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    int farthest = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const QRgb p = it.key();
        farthest =
            std::max({farthest, qAbs(qRed(p) - qRed(background)),
                      qAbs(qGreen(p) - qGreen(background)), qAbs(qBlue(p) - qBlue(background))});
    }
    return farthest;
}

// Repeater delegates are visual children only, without an object parent.
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

QHash<QString, QByteArray> filesIn(const QString &folder)
{
    QHash<QString, QByteArray> files;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(entry.filePath());
        if (file.open(QIODevice::ReadOnly))
            files.insert(entry.fileName(), file.readAll());
    }
    return files;
}

} // namespace

class Dialogs : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<Widget> widget;
    TrayHost trayHost;

    QString settingDir() const { return workDir->filePath(QStringLiteral("modules/setting")); }
    QQuickItem *scene() const { return widget->view()->rootObject(); }

    // The program as it starts on a mouse, in a fresh copy of modules/, once
    // its start-up logo has given way to the frame.
    void startProgram(const QString &language = QStringLiteral("English"))
    {
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(copyBuiltModules(workDir->path()));
        {
            QSettings config(settingDir() + QStringLiteral("/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("common/language"), language);
        }
        QVERIFY(QDir::setCurrent(workDir->path()));
        kairo::sim::reset({kairo::sim::DeviceConfig{}});
        widget = std::make_unique<Widget>();
        widget->showNormal();
        widget->checkDevice();
        QQuickItem *logo = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (logo = scene()->findChild<QQuickItem *>(QStringLiteral("powerOnLogo")))
                && !logo->isVisible(),
            10000);
        QTRY_VERIFY_WITH_TIMEOUT(widget->view()->isEnabled(), 5000);
        QVERIFY(!scene()->property("anyUnsaved").toBool());
    }

    // Raises DPI stage 1 with the page's plus button, as a user clicks it.
    void changeSomething()
    {
        QQuickItem *plus = findItem(scene(), QStringLiteral("dpiPlus0"));
        QVERIFY(plus);
        const QPointF centre = plus->mapToScene(QPointF(plus->width() / 2, plus->height() / 2));
        QTest::mouseClick(widget->view(), Qt::LeftButton, {}, centre.toPoint());
        QTRY_VERIFY_WITH_TIMEOUT(scene()->property("anyUnsaved").toBool(), 3000);
    }

    QString storedStage1()
    {
        QSettings profile(settingDir() + QStringLiteral("/p1.bin"), QSettings::IniFormat);
        return profile.value(QStringLiteral("mouse/dpiValueArray")).toStringList().value(0);
    }
    QString shownStage1()
    {
        auto *page = scene()->findChild<QQuickItem *>(QStringLiteral("dpiSettingMain"));
        return page ? page->property("stageValues").toList().value(0).toString() : QString();
    }

    // The tray's Quit with the program's event loop running: the loop's exit
    // code, or 99 when the program was still running after the wait.
    // The tray's Quit; a program that stays is left once it has shown the
    // boxes expected of it (a save on a loaded machine may take seconds),
    // and a little after, so that a box too many would be counted.
    int quitFromTray(const BoxAnswerer &answerer, int boxesWhenStaying)
    {
        QTimer::singleShot(0, widget->quitAction(), &QAction::trigger);
        QElapsedTimer clock;
        clock.start();
        qint64 shownAt = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, qApp, [&] {
            if (answerer.boxes.size() < boxesWhenStaying && clock.elapsed() < 20000)
                return;
            if (shownAt < 0)
                shownAt = clock.elapsed();
            if (clock.elapsed() - shownAt >= 700)
                QCoreApplication::exit(99);
        });
        watch.start(50);
        return QCoreApplication::exec();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariable("LD_PRELOAD").contains("full_disk"),
                 "needs the full-disk preload");
    }

    void cleanup()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }

    void cleanupTestCase() { trayHost.stop(); }

    // A message box or file dialog over the window (or the view) is drawn in
    // the desktop's style: its text stands out from its own background,
    // while the window itself stays translucent.
    void dialogsOverTheWindowAreReadable()
    {
        startProgram();
        QVERIFY(widget->testAttribute(Qt::WA_TranslucentBackground));
        for (QWidget *parent :
             {static_cast<QWidget *>(widget.get()), static_cast<QWidget *>(widget->view())}) {
            const QString where = QStringLiteral(" over ") + parent->objectName();
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"),
                            QStringLiteral("Kairo could not save p1.bin; the disk may be full."),
                            QMessageBox::Ok, parent);
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            auto *message = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(message);
            const int boxContrast = textContrast(&box, message);
            QVERIFY2(boxContrast >= 100, qPrintable(QString::number(boxContrast) + where));

            QFileDialog files(parent, QStringLiteral("Import"), workDir->path(),
                              QStringLiteral("Profile(*.pf)"));
            files.setOption(QFileDialog::DontUseNativeDialog);
            files.show();
            QVERIFY(QTest::qWaitForWindowExposed(&files));
            auto *lookIn = files.findChild<QLabel *>(QStringLiteral("lookInLabel"));
            QVERIFY(lookIn);
            const int filesContrast = textContrast(&files, lookIn);
            QVERIFY2(filesContrast >= 100, qPrintable(QString::number(filesContrast) + where));
        }
    }

    // Warnings raised by one action, even one that waits for events while it
    // runs (as the device link does), come up in one modal box over the
    // window holding each distinct text once; the next action has its own.
    void warningsOfOneActionShareOneBox()
    {
        QWidget window;
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        WidgetDialogs dialogs(&window);
        BoxAnswerer answerer(QMessageBox::Ok);
        QTimer::singleShot(0, &window, [&dialogs] {
            dialogs.warning(QStringLiteral("Warning"), QStringLiteral("could not save p1.bin"));
            QCoreApplication::processEvents();
            dialogs.warning(QStringLiteral("Warning"), QStringLiteral("could not save p1.bin"));
            QCoreApplication::processEvents();
            dialogs.warning(QStringLiteral("Warning"), QStringLiteral("could not save name.bin"));
        });
        QTimer::singleShot(50, &window, [&dialogs] {
            dialogs.warning(QStringLiteral("Create folder"), QStringLiteral("Duplicate name！"));
        });
        runEventLoop(1500);

        QCOMPARE(answerer.boxes.size(), 2);
        QCOMPARE(answerer.boxes[0].title, QStringLiteral("Warning"));
        QCOMPARE(answerer.boxes[0].text,
                 QStringLiteral("could not save p1.bin\n\ncould not save name.bin"));
        QCOMPARE(answerer.boxes[1].title, QStringLiteral("Create folder"));
        QCOMPARE(answerer.boxes[1].text, QStringLiteral("Duplicate name！"));
        for (const Box &box : std::as_const(answerer.boxes)) {
            QVERIFY(box.modal);
            QCOMPARE(box.parent, &window);
        }
    }

    // The tray's Quit asks only when something is unsaved. Cancel stays with
    // the change kept in the scene, Discard leaves the disk as it was, Save
    // stores the change first; the question speaks the language in use.
    void quitAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("quits");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("buttons");
        const QStringList english{"Save", "Discard", "Cancel"};
        QTest::newRow("nothing unsaved")
            << false << false << "English" << QMessageBox::Cancel << true << false << QStringList();
        QTest::newRow("cancel") << true << false << "English" << QMessageBox::Cancel << false
                                << false << english;
        QTest::newRow("discard") << true << false << "English" << QMessageBox::Discard << true
                                 << false << english;
        QTest::newRow("save") << true << false << "English" << QMessageBox::Save << true << true
                              << english;
        QTest::newRow("save, German") << true << false << "German" << QMessageBox::Save << true
                                      << true << QStringList{"Speichern", "Verwerfen", "Abbrechen"};
        // The failed save says so, and the program stays so nothing is lost.
        QTest::newRow("save fails")
            << true << true << "English" << QMessageBox::Save << false << false << english;
    }

    void quitAsksAboutUnsavedChanges()
    {
        QFETCH(bool, changed);
        QFETCH(bool, diskFull);
        QFETCH(QString, language);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, quits);
        QFETCH(bool, saved);
        QFETCH(QStringList, buttons);
        startProgram(language);
        const QString before = storedStage1();
        QVERIFY(!before.isEmpty());
        if (changed)
            changeSomething();
        const QHash<QString, QByteArray> disk = filesIn(settingDir());
        if (diskFull)
            qputenv("KAIRO_FULL_DISK_UNDER", QDir::currentPath().toUtf8() + "/modules/setting");

        BoxAnswerer answerer(answer);
        const int code = quitFromTray(answerer, quits ? std::numeric_limits<int>::max()
                                                      : int(changed) + diskFull);
        qunsetenv("KAIRO_FULL_DISK_UNDER");
        QCOMPARE(code, quits ? 0 : 99);
        QCOMPARE(widget->hidThread().monitoring, !quits);
        QCOMPARE(answerer.boxes.size(), (changed ? 1 : 0) + (diskFull ? 1 : 0));
        if (diskFull)
            QVERIFY(answerer.boxes[1].text.contains(QStringLiteral("could not save")));
        if (changed) {
            QCOMPARE(answerer.boxes[0].parent, widget.get());
            QCOMPARE(answerer.buttonTexts[0], buttons);
            QVERIFY(answerer.boxes[0].text.contains(QStringLiteral("Kairo")));
        }
        if (saved) {
            QVERIFY(storedStage1() != before);
            QCOMPARE(storedStage1(), shownStage1());
        } else {
            QCOMPARE(filesIn(settingDir()), disk);
        }
        // A failed save leaves the edit in the scene, though no longer marked.
        QCOMPARE(scene()->property("anyUnsaved").toBool(), changed && !saved && !diskFull);
    }

    // The desktop's close of the frameless window (Alt+F4) ends nothing: it
    // minimises the window where there is no tray and hides it to the tray
    // where there is one, asking nothing and keeping the change unsaved.
    void desktopCloseKeepsTheProgram()
    {
        for (const bool withTray : {false, true}) {
            if (withTray) {
                QVERIFY2(trayHost.start(), "trayer did not start");
                QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);
            }
            QCOMPARE(QSystemTrayIcon::isSystemTrayAvailable(), withTray);
            startProgram();
            changeSomething();
            const QHash<QString, QByteArray> disk = filesIn(settingDir());
            BoxAnswerer answerer(QMessageBox::Save);
            QVERIFY(sendDesktopClose(widget->winId()));
            if (withTray)
                QTRY_VERIFY_WITH_TIMEOUT(!widget->isVisible(), 5000);
            else
                QTRY_VERIFY_WITH_TIMEOUT(widget->isMinimized(), 5000);
            runEventLoop(300);
            QVERIFY(answerer.boxes.isEmpty());
            QVERIFY(widget->hidThread().monitoring);
            QVERIFY(scene()->property("anyUnsaved").toBool());
            QCOMPARE(filesIn(settingDir()), disk);
            cleanup();
        }
    }
};

QTEST_MAIN(Dialogs)
#include "test_core_dialogs.moc"

// Xlib last: its macros (None, Bool, Status) would clash with Qt's headers.
#include <X11/Xlib.h>

bool sendDesktopClose(WId window)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(window);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, Window(window), False, NoEventMask, &event) != 0;
    XCloseDisplay(display);
    return sent;
}
