// kairo-scenetool: where the scene's controls are, and what the program's
// window shows.
//
//   pos WIDTH HEIGHT [--texts LANGUAGE.ini] STEP...
//       Loads the compiled scene in-process (offscreen) at the given window
//       size, as it stands once the start-up logo has gone, with the texts of
//       that language file (English by default). A STEP is either
//       NAME, which prints "NAME cx cy x y w h visible" in window pixels for
//       the item of that objectName (@Type: the first item of that QML
//       type; a/b: b inside a), or "--click NAME", which clicks the item
//       first, so overlays opened by a click are measured as they are shown;
//       "--rclick NAME" does the same with the right button (context menus).
//   grab WINDOW FILE.png [--changed-from OLD.png] [--screen X Y W H]
//       Saves the X window WINDOW (its id in decimal or 0x hex) once three
//       grabs in a row agree, and with --changed-from only once it differs
//       from OLD.png. With --screen it saves what the screen shows in that
//       rectangle instead (the window and the dialogs over it); WINDOW is 0.
//   wait-colour WINDOW X Y W H COLOUR... [--timeout SECONDS]
//       Waits until the window's rectangle holds pixels of one of the colours
//       (#rrggbb).
//   window [--timeout SECONDS]
//       Waits for Kairo's main window to be mapped, as the whole-program
//       tests do, and prints "ID X Y W H" (the id in decimal).
//   contrast FILE.png X Y W H
//       Whether the dialog drawn in that rectangle of the picture can be
//       read: its background (the colour most of its pixels have) lies far
//       from the text colour of the desktop's style, and text of that colour
//       is there. Prints both colours and the difference; fails below 100.
#include "tests/journey/scenepixels.h"
#include "tests/support/programcopy.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJSValue>
#include <QPalette>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlExtensionPlugin>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>

Q_IMPORT_QML_PLUGIN(modules_qmlPlugin)

namespace {

int fail(const QString &message, int code = 2)
{
    std::fprintf(stderr, "kairo-scenetool: %s\n", qPrintable(message));
    return code;
}

QList<QRectF> visibleGeometry(QQuickItem *item)
{
    QList<QRectF> rects;
    if (!item->isVisible())
        return rects;
    rects << item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    for (QQuickItem *child : item->childItems())
        rects << visibleGeometry(child);
    return rects;
}

bool matches(QQuickItem *item, const QString &name)
{
    if (!name.startsWith(QLatin1Char('@')))
        return item->objectName() == name;
    const QString type = QString::fromLatin1(item->metaObject()->className());
    return type == name.mid(1) || type.startsWith(name.mid(1) + QLatin1String("_QML"));
}

// Repeater delegates are visual children only, without an object parent.
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (matches(item, name))
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    for (QQuickItem *child : item->findChildren<QQuickItem *>(Qt::FindDirectChildrenOnly)) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

// "list/row0": row0 inside list, for names that several controls use.
QQuickItem *findPath(QQuickItem *root, const QString &path)
{
    QQuickItem *item = root;
    for (const QString &name : path.split(QLatin1Char('/'))) {
        item = findItem(item, name);
        if (!item)
            return nullptr;
    }
    return item;
}

// Animations (drop-downs, sliders) end within a few hundred milliseconds.
void settle(QQuickItem *root)
{
    QElapsedTimer timer;
    timer.start();
    QList<QRectF> last = visibleGeometry(root);
    int same = 0;
    while (same < 3 && timer.elapsed() < 3000) {
        QTest::qWait(40);
        const QList<QRectF> now = visibleGeometry(root);
        same = now == last ? same + 1 : 0;
        last = now;
    }
}

// The scene loads its texts from the view; a stand-in view answers from the
// language file for as long as the scene reads them.
bool loadTexts(QQmlEngine &engine, QQuickItem *root, const QString &file)
{
    if (!QFileInfo::exists(file))
        return false;
    QSettings ini(file, QSettings::IniFormat);
    QJSValue groups = engine.newObject();
    for (const QString &group : ini.childGroups()) {
        QStringList texts;
        const int total = ini.value(group + QStringLiteral("/total")).toInt();
        for (int i = 0; i < total; ++i) {
            const QVariant text = ini.value(group + QStringLiteral("/%1").arg(i));
            texts << (text.typeId() == QMetaType::QStringList
                          ? text.toStringList().join(QStringLiteral(", "))
                          : text.toString());
        }
        groups.setProperty(group, engine.toScriptValue(texts));
    }
    QJSValue view = engine
                        .evaluate(QStringLiteral("(function (groups) { return { getLangStrings: "
                                                 "function (group) { return groups[group] || "
                                                 "[]; } }; })"))
                        .call({groups});
    // The language's name is the file's; it also picks the scene's font.
    const QString language = QFileInfo(file).completeBaseName();
    root->setProperty("language", language);
    QMetaObject::invokeMethod(root, "setLangIndex", Q_ARG(QVariant, language));
    root->setProperty("view", QVariant::fromValue(view));
    QMetaObject::invokeMethod(root, "loadLanguage");
    root->setProperty("view", QVariant());
    return true;
}

int positions(const QStringList &args)
{
    bool okW = false, okH = false;
    const int width = args.value(0).toInt(&okW);
    const int height = args.value(1).toInt(&okH);
    if (!okW || !okH || args.size() < 3)
        return fail(QStringLiteral("usage: pos WIDTH HEIGHT STEP..."));

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    std::unique_ptr<QObject> object(component.create());
    auto *root = qobject_cast<QQuickItem *>(object.get());
    if (!root)
        return fail(component.errorString());

    QQuickWindow window;
    window.resize(width, height);
    root->setParentItem(window.contentItem());
    QMetaObject::invokeMethod(root, "setScreenRect", Q_ARG(QVariant, width),
                              Q_ARG(QVariant, height), Q_ARG(QVariant, false));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return fail(QStringLiteral("the scene's window was not shown"));
    // What the program's first unlock does.
    if (QQuickItem *logo = findItem(root, QStringLiteral("powerOnLogo")))
        logo->setVisible(false);
    settle(root);
    // The pages exist once the logo has gone; then they can take the texts.
    int first = 2;
    if (args.value(2) == QLatin1String("--texts")) {
        if (!loadTexts(engine, root, args.value(3)))
            return fail(QStringLiteral("cannot read texts from %1").arg(args.value(3)));
        settle(root);
        first = 4;
    }

    for (int i = first; i < args.size(); ++i) {
        const bool rightClick = args.at(i) == QLatin1String("--rclick");
        const bool click = rightClick || args.at(i) == QLatin1String("--click");
        if (click && ++i >= args.size())
            return fail(QStringLiteral("%1 needs a name").arg(args.at(i - 1)));
        const QString name = args.at(i);
        QQuickItem *item = findPath(root, name);
        if (!item)
            return fail(QStringLiteral("no item named %1").arg(name), 3);
        const QRectF r = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        if (click) {
            if (!item->isVisible())
                return fail(QStringLiteral("%1 is hidden and cannot be clicked").arg(name), 3);
            QTest::mouseClick(&window, rightClick ? Qt::RightButton : Qt::LeftButton, {},
                              r.center().toPoint());
            settle(root);
            continue;
        }
        std::printf("%s %d %d %d %d %d %d %d\n", qPrintable(name), qRound(r.center().x()),
                    qRound(r.center().y()), qRound(r.x()), qRound(r.y()), qRound(r.width()),
                    qRound(r.height()), item->isVisible() ? 1 : 0);
    }
    return 0;
}

WId windowId(const QString &text, bool *ok)
{
    return WId(text.toULongLong(ok, 0));
}

int grab(const QStringList &args)
{
    bool ok = false;
    const WId window = windowId(args.value(0), &ok);
    const QString file = args.value(1);
    QImage old;
    QRect screenArea;
    for (int i = 2; ok && i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--changed-from") && i + 1 < args.size()) {
            if (!old.load(args.at(++i)))
                return fail(QStringLiteral("cannot read %1").arg(args.at(i)));
        } else if (args.at(i) == QLatin1String("--screen") && i + 4 < args.size()) {
            screenArea = QRect(args.at(i + 1).toInt(), args.at(i + 2).toInt(),
                               args.at(i + 3).toInt(), args.at(i + 4).toInt());
            i += 4;
        } else {
            ok = false;
        }
    }
    if (!ok || file.isEmpty())
        return fail(QStringLiteral(
            "usage: grab WINDOW FILE.png [--changed-from OLD.png] [--screen X Y W H]"));
    if (!old.isNull())
        old = old.convertToFormat(QImage::Format_RGB32);

    QElapsedTimer timer;
    timer.start();
    QImage last;
    int same = 0;
    bool settled = false;
    while (timer.elapsed() < 5000) {
        const QImage now = screenArea.isEmpty() ? kairo::journey::grabWindow(window)
                                                : kairo::journey::grabScreen(screenArea);
        same = !now.isNull() && now == last ? same + 1 : 0;
        last = now;
        if (same >= 2 && (old.isNull() || now != old)) {
            settled = true;
            break;
        }
        QTest::qWait(80);
    }
    if (last.isNull())
        return fail(QStringLiteral("window %1 could not be grabbed").arg(args.value(0)), 1);
    if (!last.save(file))
        return fail(QStringLiteral("cannot write %1").arg(file), 1);
    if (!settled)
        return fail(
            QStringLiteral("%1: the window did not settle%2; saved the last picture")
                .arg(file, old.isNull() ? QString() : QStringLiteral(" into a new picture")),
            1);
    return 0;
}

int waitColour(const QStringList &args)
{
    bool ok = false;
    const WId window = windowId(args.value(0), &ok);
    const QRect area(args.value(1).toInt(), args.value(2).toInt(), args.value(3).toInt(),
                     args.value(4).toInt());
    QList<QColor> colours;
    int timeoutMs = 20000;
    for (int i = 5; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--timeout"))
            timeoutMs = int(args.value(++i).toDouble() * 1000);
        else
            colours << QColor::fromString(args.at(i));
    }
    if (!ok || area.isEmpty() || colours.isEmpty())
        return fail(
            QStringLiteral("usage: wait-colour WINDOW X Y W H COLOUR... [--timeout SECONDS]"));
    QElapsedTimer timer;
    timer.start();
    do {
        const QImage image = kairo::journey::grabWindow(window);
        for (const QColor &colour : colours) {
            if (!image.isNull() && kairo::journey::countNear(image, area, colour) >= 8)
                return 0;
        }
        QTest::qWait(100);
    } while (timer.elapsed() < timeoutMs);
    return fail(QStringLiteral("the colour did not appear"), 1);
}

// The largest channel difference between two colours.
int distance(QRgb a, QRgb b)
{
    return std::max(
        {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
}

int contrast(const QStringList &args)
{
    QImage picture;
    const QRect area(args.value(1).toInt(), args.value(2).toInt(), args.value(3).toInt(),
                     args.value(4).toInt());
    if (args.size() != 5 || area.isEmpty())
        return fail(QStringLiteral("usage: contrast FILE.png X Y W H"));
    if (!picture.load(args.at(0)))
        return fail(QStringLiteral("cannot read %1").arg(args.at(0)));
    picture = picture.convertToFormat(QImage::Format_RGB32);
    const QRect r = area.intersected(picture.rect());
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xff000000u];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    const QRgb text = QGuiApplication::palette().color(QPalette::WindowText).rgb();
    int textPixels = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (distance(it.key(), text) <= 48)
            textPixels += it.value();
    }
    const int difference = distance(background, text);
    std::printf("background %s text %s difference %d\n", qPrintable(QColor(background).name()),
                qPrintable(QColor(text).name()), difference);
    if (textPixels < 20)
        return fail(QStringLiteral("no text of the style's colour in the dialog"), 1);
    return difference >= 100 ? 0 : fail(QStringLiteral("the dialog's text cannot be read"), 1);
}

int shownWindow(const QStringList &args)
{
    const int timeoutMs = args.value(0) == QLatin1String("--timeout")
                              ? int(args.value(1).toDouble() * 1000)
                              : kairo::test::scaled(15000);
    const WId window = kairo::test::waitForWindow(timeoutMs);
    if (!window)
        return fail(QStringLiteral("no single window of Kairo was shown"), 1);
    const QRect at = kairo::test::windowGeometry(window);
    std::printf("%llu %d %d %d %d\n", qulonglong(window), at.x(), at.y(), at.width(), at.height());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    // Positions come from a scene of our own that nobody needs to see; a
    // picture's contrast needs no display either.
    if (command == "pos" || command == "contrast") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The scene's own console lines are of no interest here.
        qputenv("QT_LOGGING_RULES", "qml.debug=false;js.debug=false");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(2);
    if (command == "pos")
        return positions(args);
    if (command == "grab")
        return grab(args);
    if (command == "wait-colour")
        return waitColour(args);
    if (command == "contrast")
        return contrast(args);
    if (command == "window")
        return shownWindow(args);
    return fail(QStringLiteral("usage: kairo-scenetool pos|grab|wait-colour|window|contrast ..."));
}
