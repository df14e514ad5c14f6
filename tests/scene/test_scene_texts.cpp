// Every text of the real scene, in every language, fits its room at
// 1280 x 720: each page and overlay is opened as a user opens it, and each
// visible text must be drawn whole (not elided, not wider or taller than its
// item) and clear of the other texts beside it. The top bar's language list
// changes every text at once and keeps what the pages hold unsaved.
#include "core/myqquickview.h"
#include "core/widget.h"
#include "settings/dpiswitchtexts.h"
#include "tests/support/builtmodules.h"

#include "sim/virtualmouse.h"

#include <QAction>
#include <QApplication>
#include <QJSEngine>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QStringList languages{
    "English", "ChineseSimplified", "ChineseTraditional", "German", "French", "Italian", "Spanish"};

bool isText(const QQuickItem *item)
{
    return item->inherits("QQuickText");
}

// Where an item sits, by the object names of it and its ancestors.
QString pathOf(const QQuickItem *item)
{
    QStringList names;
    for (const QQuickItem *at = item; at; at = at->parentItem()) {
        if (!at->objectName().isEmpty())
            names.prepend(at->objectName());
    }
    return names.join(QLatin1Char('/'));
}

// The rectangle the glyphs take, in scene coordinates.
QRectF drawnRect(const QQuickItem *text)
{
    const qreal w = text->property("contentWidth").toReal();
    const qreal h = text->property("contentHeight").toReal();
    const int h_align = text->property("horizontalAlignment").toInt();
    const int v_align = text->property("verticalAlignment").toInt();
    qreal x = 0, y = 0;
    if (h_align & Qt::AlignRight)
        x = text->width() - w;
    else if (h_align & Qt::AlignHCenter)
        x = (text->width() - w) / 2;
    if (v_align & Qt::AlignBottom)
        y = text->height() - h;
    else if (v_align & Qt::AlignVCenter)
        y = (text->height() - h) / 2;
    return text->mapRectToScene(QRectF(x, y, w, h));
}

// What of a text the eye sees: a list sliding open out of a clipping room
// is cut at the room's edge, so its rows never lie on the box above it.
QRectF seenRect(const QQuickItem *text)
{
    QRectF seen = drawnRect(text);
    for (const QQuickItem *room = text->parentItem(); room; room = room->parentItem()) {
        if (room->clip())
            seen &= room->mapRectToScene(QRectF(0, 0, room->width(), room->height()));
    }
    return seen;
}

// Check boxes and radio buttons: their label and box together are one
// control, which another text must not run into.
void visibleChoices(QQuickItem *item, QList<QQuickItem *> &found)
{
    if (!item->isVisible() || item->opacity() <= 0.01)
        return;
    const QByteArray type = item->metaObject()->className();
    if (type.startsWith("CheckBox") || type.startsWith("RadioButton"))
        found << item;
    for (QQuickItem *child : item->childItems())
        visibleChoices(child, found);
}

bool isInside(const QQuickItem *item, const QQuickItem *ancestor)
{
    for (const QQuickItem *at = item; at; at = at->parentItem()) {
        if (at == ancestor)
            return true;
    }
    return false;
}

void visibleTexts(QQuickItem *item, QList<QQuickItem *> &found)
{
    if (!item->isVisible() || item->opacity() <= 0.01)
        return;
    if (isText(item) && !item->property("text").toString().trimmed().isEmpty())
        found << item;
    for (QQuickItem *child : item->childItems())
        visibleTexts(child, found);
}

// What is wrong with one text: elided, wider than its item (or, wrapped,
// taller), or sticking out of the item it is laid in.
QString fault(const QQuickItem *text)
{
    const qreal slack = 0.5;
    if (text->property("truncated").toBool())
        return QStringLiteral("elided");
    const bool wraps = text->property("wrapMode").toInt() != 0;
    const qreal contentW = text->property("contentWidth").toReal();
    const qreal contentH = text->property("contentHeight").toReal();
    if (!wraps && text->implicitWidth() > text->width() + slack)
        return QStringLiteral("%1 px wide in %2").arg(text->implicitWidth()).arg(text->width());
    if (wraps && contentW > text->width() + slack)
        return QStringLiteral("a word of %1 px in %2").arg(contentW).arg(text->width());
    if (wraps && contentH > text->height() + slack)
        return QStringLiteral("%1 px high in %2").arg(contentH).arg(text->height());
    const QQuickItem *room = text->parentItem();
    if (room && room->width() > 0 && room->height() > 0) {
        const QRectF inRoom = room->mapRectFromScene(drawnRect(text));
        if (inRoom.left() < -1 || inRoom.right() > room->width() + 1)
            return QStringLiteral("sticks out of its %1 px room").arg(room->width());
    }
    return {};
}

struct Step {
    QString name;
    int tab = 0;
    std::function<void()> open;  // shows the overlay (none for a page)
    std::function<void()> close; // and takes it away again
    QString overlay;             // the item whose texts are compared for overlaps
};

} // namespace

class SceneTexts : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<Widget> widget;

    QQuickItem *root() const { return widget->view()->rootObject(); }

    QString configPath() const
    {
        return workDir->filePath(QStringLiteral("modules/setting/apConfig.bin"));
    }

    void startProgram(const QString &language)
    {
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(copyBuiltModules(workDir->path()));
        {
            QSettings config(configPath(), QSettings::IniFormat);
            config.setValue(QStringLiteral("common/language"), language);
            config.setValue(QStringLiteral("mouse/keyCount"), 14);
        }
        QVERIFY(QDir::setCurrent(workDir->path()));
        kairo::sim::reset({kairo::sim::DeviceConfig{}});
        widget = std::make_unique<Widget>();
        widget->resize(1280, 720);
        widget->show();
        widget->checkDevice();
        QTRY_VERIFY_WITH_TIMEOUT(root() && root()->property("isPownOn").toBool(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!item("powerOnLogo")->isVisible(), 5000);
        QCOMPARE(root()->width(), 1280.0);
    }

    // Repeater delegates are visual children only, without an object parent.
    static QQuickItem *find(QQuickItem *from, const QString &name)
    {
        if (from->objectName() == name)
            return from;
        for (QQuickItem *child : from->childItems()) {
            if (QQuickItem *found = find(child, name))
                return found;
        }
        return nullptr;
    }
    // "a/b": b inside a.
    QQuickItem *item(const QString &path) const
    {
        QQuickItem *at = root();
        for (const QString &name : path.split(QLatin1Char('/'))) {
            at = at ? find(at, name) : nullptr;
        }
        return at;
    }

    // Until the texts hold still: on a loaded machine an overlay's opening
    // animation outlasts any fixed pause, and a text caught on its way
    // overlaps the ones it is passing.
    void settle()
    {
        QTest::qWait(150);
        QList<QRectF> before = textPlaces();
        for (int sample = 0; sample < 60; ++sample) {
            QTest::qWait(50);
            const QList<QRectF> now = textPlaces();
            if (now == before)
                return;
            before = now;
        }
    }
    QList<QRectF> textPlaces()
    {
        QList<QQuickItem *> texts;
        if (QQuickItem *scene = root())
            visibleTexts(scene, texts);
        QList<QRectF> places;
        for (const QQuickItem *text : std::as_const(texts))
            places << drawnRect(text);
        return places;
    }

    void click(const QString &path, Qt::MouseButton button = Qt::LeftButton)
    {
        QQuickItem *target = item(path);
        QVERIFY2(target && target->isVisible(), qPrintable(path));
        const QPointF centre =
            target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(widget->view(), button, {}, centre.toPoint());
        settle();
    }

    // Calls a function of a scene item, whatever its parameters' types.
    void call(const QString &path, const QString &function, const QJSValueList &args = {})
    {
        QQuickItem *target = item(path);
        QVERIFY2(target, qPrintable(path));
        QJSEngine *engine = widget->view()->engine();
        QJSValue object = engine->toScriptValue(static_cast<QObject *>(target));
        QJSValue result = object.property(function).callWithInstance(object, args);
        QVERIFY2(!result.isError(), qPrintable(path + u'.' + function + u' ' + result.toString()));
        settle();
    }
    QJSValue itemValue(const QString &path)
    {
        return widget->view()->engine()->toScriptValue(static_cast<QObject *>(item(path)));
    }

    void selectTab(int tab)
    {
        QMetaObject::invokeMethod(root(), "selectTab", Q_ARG(int, tab));
        settle();
    }

    QList<Step> steps()
    {
        auto clicks = [this](QStringList names) {
            return [this, names] {
                for (const QString &name : names)
                    click(name);
            };
        };
        return {
            {"button page", 0, {}, {}, "pageContent"},
            {"report rate list", 0, clicks({"reportRateList"}), clicks({"reportRateList"}),
             "reportRateList"},
            {"language list", 0, clicks({"languageList"}), clicks({"languageList"}),
             "languageList"},
            {"reset box", 0, clicks({"resetButton"}), clicks({"resetCancel"}), "resetBox"},
            {"stage colour", 0, clicks({"dpiSwatch0"}), clicks({"dpiColorCancel"}), "dpiColor"},
            {"button menu", 0, clicks({"keyRow3"}), clicks({"menuDismissArea"}), "keyAssigment"},
            {"media menu", 0, clicks({"keyRow3", "menu_MediaFunction"}),
             clicks({"menuDismissArea"}), "keyAssigment"},
            {"windows menu", 0, clicks({"keyRow3", "menu_WindowsFunction"}),
             clicks({"menuDismissArea"}), "keyAssigment"},
            {"shortcut menu", 0, clicks({"keyRow3", "menu_ShortcutFunction"}),
             clicks({"menuDismissArea"}), "keyAssigment"},
            {"DPI menu", 0, clicks({"keyRow3", "menu_DPIFunction"}), clicks({"menuDismissArea"}),
             "keyAssigment"},
            {"fire dialog", 0, clicks({"keyRow3", "menu_FireFunction", "menu_FireKey"}),
             clicks({"fireCancel"}), "fireKeyAssigment"},
            {"combination dialog", 0, clicks({"keyRow3", "menu_GroupFunction"}),
             clicks({"groupCancel"}), "groupKeyAssigment"},
            {"macro dialog", 0, clicks({"keyRow3", "menu_MacroFunction"}), clicks({"macroCancel"}),
             "macroKeyAssigment"},
            {"profile panel", 0, clicks({"configButton"}), clicks({"profileClose"}),
             "profilePanel"},
            {"gun editor", 0, [this] { call("gunControlMain", "open"); }, clicks({"gunClose"}),
             "gunControlMain"},
            {"lighting page", 1, {}, {}, "lightControlMain"},
            {"lighting presets", 1, clicks({"lightPresetOpen"}), clicks({"lightPresetConfirm"}),
             "lightPresetPanel"},
            {"settings page", 2, {}, {}, "pageContent"},
            {"macro tree menu", 2,
             [this] {
                 call("macroTreePanel", "openMenu",
                      {itemValue("macroEditorMain/macroTree"), 20, 20});
             },
             [this] { call("macroEditorMain", "closeFocus"); }, "macroTreeMenu"},
            {"macro action menu", 2,
             [this] {
                 call("macroActionPanel", "openMenu",
                      {itemValue("macroEditorMain/macroActions"), 20, 20});
             },
             [this] { call("macroEditorMain", "closeFocus"); }, "macroActionMenu"},
            {"macro name dialog", 2, [this] { call("macroTreePanel", "treeAction", {"NewMacro"}); },
             clicks({"inputAssigmentCancel"}), "macroNameDialog"},
            {"key capture", 2, [this] { call("macroActionPanel", "actionChosen", {"InsertKey"}); },
             clicks({"macroKeyCaptureCancel"}), "macroKeyCapture"},
            {"macro delete question", 2,
             [this] { call("macroTreePanel", "treeAction", {"Delete"}); },
             clicks({"macroDeleteConfirm/tooltipCancel"}), "macroDeleteConfirm"},
            {"macro warning", 2,
             [this] {
                 const QJSValue text =
                     itemValue("macroEditorMain").property("shownWarnings").property(2);
                 call("macroWarning", "open", {text});
             },
             clicks({"warningOk"}), "macroWarning"},
            {"mouse notice", 0,
             [this] {
                 widget->view()->invokeScene("showMouseOutcome", Qt::DirectConnection,
                                             {QStringLiteral("incomplete")});
                 settle();
             },
             clicks({"mouseNoticeClose"}), "mouseNotice"},
            {"no mouse", 0, [this] { setDeviceState("absent"); },
             [this] { setDeviceState("connected"); }, "deviceStatePanel"},
            {"mouse refused", 0, [this] { setDeviceState("denied"); },
             [this] { setDeviceState("connected"); }, "deviceStatePanel"},
            {"mouse unplugged", 0, [this] { setDeviceState("unplugged"); },
             [this] { setDeviceState("connected"); }, "deviceStatePanel"},
        };
    }

    void setDeviceState(const char *state)
    {
        widget->view()->invokeScene("setDeviceState", Qt::DirectConnection,
                                    {QString::fromLatin1(state), QStringLiteral("/dev/hidraw3"),
                                     QStringLiteral("pkexec /usr/lib/kairo/install-udev-rule")});
        settle();
    }

    // The offenders among the visible texts: each with where it is, its text
    // and what is wrong; overlaps are looked for inside `overlay` only, which
    // lies above what is beside it.
    QStringList offenders(const QString &overlay)
    {
        QList<QQuickItem *> texts;
        visibleTexts(root(), texts);
        QStringList found;
        for (QQuickItem *text : std::as_const(texts)) {
            const QString why = fault(text);
            if (!why.isEmpty())
                found << QStringLiteral("%1 \"%2\": %3")
                             .arg(pathOf(text), text->property("text").toString(), why);
        }
        QList<QQuickItem *> inside;
        if (QQuickItem *layer = item(overlay))
            visibleTexts(layer, inside);
        for (qsizetype i = 0; i < inside.size(); ++i) {
            for (qsizetype j = i + 1; j < inside.size(); ++j) {
                const QRectF a = seenRect(inside[i]), b = seenRect(inside[j]);
                const QRectF both = a.intersected(b);
                // The frame's copy of the first tab button lies on it.
                const bool copy = (a.topLeft() - b.topLeft()).manhattanLength() < 4
                                  && inside[i]->property("text") == inside[j]->property("text");
                if (both.width() > 1 && both.height() > 1 && !copy)
                    found << QStringLiteral("%1 \"%2\" overlaps %3 \"%4\"")
                                 .arg(pathOf(inside[i]), inside[i]->property("text").toString(),
                                      pathOf(inside[j]), inside[j]->property("text").toString());
            }
        }
        QList<QQuickItem *> choices;
        if (QQuickItem *layer = item(overlay))
            visibleChoices(layer, choices);
        for (QQuickItem *choice : std::as_const(choices)) {
            const QRectF box =
                choice->mapRectToScene(QRectF(0, 0, choice->implicitWidth(), choice->height()));
            for (QQuickItem *text : std::as_const(inside)) {
                const QRectF both = seenRect(text).intersected(box);
                if (!isInside(text, choice) && both.width() > 1 && both.height() > 1)
                    found << QStringLiteral("%1 runs into %2 \"%3\"")
                                 .arg(pathOf(choice), pathOf(text),
                                      text->property("text").toString());
            }
        }
        return found;
    }

    QStringList shownTexts()
    {
        QList<QQuickItem *> texts;
        visibleTexts(root(), texts);
        QStringList shown;
        for (QQuickItem *text : std::as_const(texts))
            shown << text->property("text").toString().trimmed();
        return shown;
    }

    // The texts of a language file that no other language file's same
    // position holds, so that one still shown after a switch was not
    // reloaded.
    static QSet<QString> ownTexts(const QString &language, const QString &other)
    {
        QSettings mine(QStringLiteral("modules/i18n/") + language + QStringLiteral(".ini"),
                       QSettings::IniFormat);
        QSettings theirs(QStringLiteral("modules/i18n/") + other + QStringLiteral(".ini"),
                         QSettings::IniFormat);
        QSet<QString> all;
        for (const QString &key : theirs.allKeys())
            all << theirs.value(key).toString().trimmed();
        QSet<QString> own;
        for (const QString &key : mine.allKeys()) {
            if (key.startsWith(QLatin1String("keyCode/")) || key.endsWith(QLatin1String("/total")))
                continue;
            const QString text = mine.value(key).toString().trimmed();
            if (!all.contains(text) && text.size() > 1)
                own << text;
        }
        return own;
    }

private slots:
    void cleanup()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }

    void everyTextFits_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : languages)
            QTest::newRow(qPrintable(language)) << language;
    }
    void everyTextFits()
    {
        QFETCH(QString, language);
        startProgram(language);
        QStringList found;
        for (const Step &step : steps()) {
            // The step's opening settles the scene anyway: a tab already
            // shown needs no wait of its own before it.
            if (!step.open || root()->property("currentTab").toInt() != step.tab)
                selectTab(step.tab);
            if (step.open)
                step.open();
            for (const QString &offender : offenders(step.overlay))
                found << step.name + QStringLiteral(": ") + offender;
            if (step.close)
                step.close();
        }
        found.removeDuplicates();
        for (const QString &offender : std::as_const(found))
            qWarning("%s: %s", qPrintable(language), qPrintable(offender));
        QVERIFY2(found.isEmpty(),
                 qPrintable(QStringLiteral("%1 texts do not fit").arg(found.size())));
    }

    // A language picked in the top bar: every text at once, also the
    // native side's, and an edit not yet saved stays as it was.
    void languageListSwitchesEveryText()
    {
        startProgram(QStringLiteral("English"));
        QQuickItem *dpiPage = item("dpiSettingMain");
        const QVariant before = dpiPage->property("stageValues").toList().value(0);
        click("dpiPlus0");
        const QVariant edited = dpiPage->property("stageValues").toList().value(0);
        QVERIFY(edited != before);
        QTRY_VERIFY(root()->property("anyUnsaved").toBool());

        for (const QString &language : {QStringLiteral("German"), QStringLiteral("English")}) {
            click("languageList");
            click(QStringLiteral("languageList/row%1").arg(languages.indexOf(language)));
            QCOMPARE(root()->property("language").toString(), language);
            QCOMPARE(QSettings(configPath(), QSettings::IniFormat)
                         .value(QStringLiteral("common/language"))
                         .toString(),
                     language);
            const QString left = language == QLatin1String("German") ? QStringLiteral("English")
                                                                     : QStringLiteral("German");
            const QSet<QString> stale = ownTexts(left, language);
            const QSet<QString> wanted = ownTexts(language, left);
            QVERIFY(stale.size() > 100);
            for (const int tab : {0, 2}) {
                selectTab(tab);
                const QStringList shown = shownTexts();
                for (const QString &text : shown)
                    QVERIFY2(!stale.contains(text),
                             qPrintable(language + QStringLiteral(": ") + text));
                QVERIFY2(std::count_if(shown.begin(), shown.end(),
                                       [&](const QString &t) { return wanted.contains(t); })
                             > 10,
                         qPrintable(shown.join(u'|')));
            }
            selectTab(0);
            QCOMPARE(dpiPage->property("stageValues").toList().value(0), edited);
            QVERIFY(root()->property("anyUnsaved").toBool());
            const QStringList other =
                widget->view()->getLangStrings(QStringLiteral("other"), language);
            QCOMPARE(dpiSwitchTexts().value(2), other.value(2));
            QCOMPARE(widget->quitAction()->text(),
                     widget->view()->getLangStrings(QStringLiteral("tray"), language).value(1));
        }
    }
};

QTEST_MAIN(SceneTexts)
#include "test_scene_texts.moc"
