#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

class Hid_Thread;
class myQQuickView;

// The scene's ui_Ctl: makes the top-level window frameless and translucent,
// puts the scene's view in it, sizes both to the screen and carries out the
// scene's window commands.
class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    explicit Ui_Controler(QObject *parent = nullptr);

    void setupUi(QWidget *window, Hid_Thread *hid = nullptr);

    QWidget *window() const { return windowWidget; }
    myQQuickView *view() const { return sceneView; }
    bool maximized() const { return isMaximized; }

    // The design's 16:9 at two thirds of a large screen, never smaller than
    // the design itself and never larger than the area the panels leave.
    static QSize startSizeFor(const QSize &area);
    // The primary screen's area without its panels, and where it comes from;
    // tests pretend other screens. An empty function restores the real one.
    static void setScreenAreaSource(std::function<QRect()> source);
    static QRect primaryScreenArea();

public slots:
    void onMinimize();
    void onMaxRestore();
    void onHide();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();
    void test(int x, int y);
    // Hands a drag that has just been pressed to the compositor, where the
    // platform moves windows itself (Wayland lets no client place itself).
    // False where it does not, and always on X11: the window then follows
    // the pointer from where it was pressed.
    bool startSystemMove();
    // Puts the window where the pointer has taken it since the press. From
    // the pointer's place now, not from an event's offsets: on a loaded X
    // server the events may predate the last move, or the last motion may
    // never come before the release.
    void followPointer();

private:
    void reportScreenRect(const QSize &size, bool maximized);
    void markFirstFrames();

    // Guarded: the controller is released later than its window.
    QPointer<QWidget> windowWidget;
    myQQuickView *sceneView = nullptr;
    bool isMaximized = false;
    QPoint dragPointerStart;
    QPoint dragWindowStart;
};
