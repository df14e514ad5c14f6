#pragma once
// Reading the program's window from another process on the same X display.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>

namespace kairo::journey {

inline QImage grabWindow(WId window)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(window).toImage().convertToFormat(QImage::Format_RGB32);
}

// What the screen shows in `area`: windows and the dialogs over them.
inline QImage grabScreen(const QRect &area)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Pixels of `area` whose channels all lie within `tolerance` of `colour`.
inline int countNear(const QImage &image, const QRect &area, const QColor &colour,
                     int tolerance = 24)
{
    const QRect r = area.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - colour.red()) <= tolerance
                && qAbs(qGreen(p) - colour.green()) <= tolerance
                && qAbs(qBlue(p) - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace kairo::journey
