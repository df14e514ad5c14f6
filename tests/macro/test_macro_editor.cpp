// The macro editor page in the real scene of the real main widget, against
// the virtual mouse, in a scratch copy of modules/: the library tree on disk
// and in name.bin, import and export through answered file dialogs, and
// recording through the view's input slots.
#include "tests/settings/settingstestsupport.h"
#include "tests/support/builtmodules.h"

#include "core/myqquickview.h"
#include "core/widget.h"
#include "modules/qml/logic/macrologic.h"
#include "settings/namelists.h"
#include "settings/settingsstore.h"

#include "sim/virtualmouse.h"

#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class MacroEditor : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> workDir;
    ScriptedDialogs dialogs;
    std::unique_ptr<Widget> widget;
    QQuickItem *editor = nullptr;

    QString path(const QString &relative) const { return workDir->filePath(relative); }
    QString macroDir(const QString &relative) const { return path("modules/macro/" + relative); }

    QStringList names(const QString &key) const
    {
        QSettings store(path("modules/setting/name.bin"), QSettings::IniFormat);
        return kairo::names::withoutPlaceholder(store.value(key).toStringList());
    }

    QStringList macroLines(const QString &relative) const
    {
        QSettings macro(macroDir(relative), QSettings::IniFormat);
        QStringList lines;
        const int total = macro.value("config/total").toInt();
        // An unquoted "0,10" reads back as a list of two.
        for (int i = 0; i < total; ++i)
            lines << macro.value(QString("macro/%1").arg(i)).toStringList().join(',');
        return lines;
    }

    // Runs JavaScript with the page, or one of its parts, as scope: its
    // functions and properties are reachable unqualified.
    QVariant js(const QString &code, const char *part = nullptr)
    {
        QObject *scope = part ? editor->findChild<QObject *>(part) : editor;
        if (!scope)
            qFatal("no part %s", part);
        QQmlExpression expression(qmlContext(scope), scope, code);
        const QVariant result = expression.evaluate();
        if (expression.hasError())
            qWarning("%s: %s", qPrintable(code), qPrintable(expression.error().toString()));
        return result.canConvert<QJSValue>() ? result.value<QJSValue>().toVariant() : result;
    }

    // The tree as "A/B/" (folder) and "A/B/m" (macro) in display order.
    QStringList rows()
    {
        return js("tree.map(e => e.path.concat([e.textValue]).join('/')"
                  " + (e.macroType === 1 ? '/' : ''))",
                  "macroTreePanel")
            .toStringList();
    }

    void select(const QString &row)
    {
        const int index = rows().indexOf(row);
        QVERIFY2(index >= 0, qPrintable(row));
        js(QString("selectRow(%1)").arg(index), "macroTreePanel");
    }

    bool add(const QString &parentRow, const QString &name, bool folder)
    {
        if (parentRow.isEmpty())
            js("selectRow(-1)", "macroTreePanel");
        else
            select(parentRow);
        return js(QString("%1('%2')").arg(folder ? "newFolder" : "newMacro", name),
                  "macroTreePanel")
            .toBool();
    }

    QQuickItem *warning() const { return editor->findChild<QQuickItem *>("macroWarning"); }

    // The shown warning's text, and the box closed again.
    QString takeWarning()
    {
        QQuickItem *box = warning();
        if (!box || !box->isVisible())
            return QString();
        box->setVisible(false);
        return box->property("message").toString();
    }

    void startProgram()
    {
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(copyBuiltModules(workDir->path()));
        QVERIFY(QDir::setCurrent(workDir->path()));
        kairo::sim::reset({kairo::sim::DeviceConfig{}});

        widget = std::make_unique<Widget>();
        widget->view()->setSettingsDialogs(&dialogs);
        widget->show();
        widget->checkDevice();
        QQuickItem *root = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (root = widget->view()->rootObject()) && root->property("isPownOn").toBool(), 10000);
        // Overlays show once the start-up logo has given way to the frame.
        QQuickItem *logo = root->findChild<QQuickItem *>("powerOnLogo");
        QVERIFY(logo);
        QTRY_VERIFY_WITH_TIMEOUT(!logo->isVisible(), 5000);
        editor = root->findChild<QQuickItem *>("macroEditorMain");
        QVERIFY(editor);
        js("init()");
    }

private slots:
    void init() { startProgram(); }

    void cleanup()
    {
        widget.reset();
        dialogs = ScriptedDialogs();
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }

    // Folders to the deepest level, the refusals, a rename and a delete in
    // the middle of the tree; each step checked on disk, in name.bin and in
    // the tree read back from them.
    void treeOnDiskAndInNameLists()
    {
        QSignalSpy deleted(editor, SIGNAL(deleteMacro(QString)));
        QVERIFY(add("", "A", true));
        QVERIFY(add("A/", "B", true));
        QVERIFY(add("A/", "m1", false));
        QVERIFY(add("A/B/", "C", true));
        QVERIFY(add("A/B/", "G", true));
        QVERIFY(add("A/B/G/", "keep", false));
        QVERIFY(add("A/B/C/", "m3", false));
        QVERIFY(add("A/B/C/", "D", true));
        QVERIFY(add("A/B/C/D/", "E", true));
        QVERIFY(add("A/B/C/D/E/", "deep", false));

        // A folder at depth 4 takes macros but no folder.
        QVERIFY(!add("A/B/C/D/E/", "F", true));
        QCOMPARE(takeWarning(), QString("Can't add a new folder!"));
        QVERIFY(!QDir(macroDir("A/B/C/D/E/F")).exists());
        // Names are unique within a folder, whatever their kind; empty ones are ignored.
        QVERIFY(!add("A/", "m1", true));
        QCOMPARE(takeWarning(), QString("Already have a macro with the same name!"));
        QVERIFY(!add("A/", "B", false));
        QCOMPARE(takeWarning(), QString("Already have a macro with the same name!"));
        QVERIFY(!add("A/", "  ", false));
        QCOMPARE(takeWarning(), QString());
        // The same name in another folder is fine.
        QVERIFY(add("", "m1", false));

        const QStringList built = {
            "A/",         "A/B/",           "A/B/C/", "A/B/C/m3",   "A/B/C/D/",
            "A/B/C/D/E/", "A/B/C/D/E/deep", "A/B/G/", "A/B/G/keep", "A/m1",
            "m1"};
        QCOMPARE(rows(), built);
        QVERIFY(QFileInfo(macroDir("A/B/C/D/E/deep.bin")).isFile());
        QCOMPARE(names("macro/macroName"), QStringList({"A", "m1"}));
        QCOMPARE(names("AB/macroName"), QStringList({"C", "G"}));
        QCOMPARE(names("ABCDE/level"), QStringList({"5"}));
        // Ancestor positions: A is 0 at the root, B 0 in A, C 0 in B, D 1 in C.
        QCOMPARE(names("ABCDE/no0") + names("ABCDE/no1") + names("ABCDE/no2") + names("ABCDE/no3")
                     + names("ABCDE/no4"),
                 QStringList({"0", "0", "0", "1", "0"}));
        js("init()");
        QCOMPARE(rows(), built);

        // Renaming a folder moves every group below it to the new names.
        select("A/B/");
        QVERIFY(js("renameSelected('Bx')", "macroTreePanel").toBool());
        QVERIFY(QDir(macroDir("A/Bx/C/D/E")).exists());
        QVERIFY(!QDir(macroDir("A/B")).exists());
        QCOMPARE(names("ABxCDE/macroName"), QStringList({"deep"}));
        QVERIFY(names("ABCDE/macroName").isEmpty());
        QVERIFY(names("AB/macroName").isEmpty());
        select("A/Bx/C/");
        QVERIFY(!js("renameSelected('G')", "macroTreePanel").toBool());
        QCOMPARE(takeWarning(), QString("Already have a macro with the same name!"));

        // Deleting C takes its files and groups and names each macro lost;
        // its sibling G keeps its list although the store's walk cleared that depth.
        select("A/Bx/C/");
        QVERIFY(js("deleteSelected()", "macroTreePanel").toBool());
        QStringList lost;
        for (const QList<QVariant> &args : deleted)
            lost << args.at(0).toString();
        lost.sort();
        QCOMPARE(lost, QStringList({"deep", "m3"}));
        QVERIFY(!QDir(macroDir("A/Bx/C")).exists());
        QVERIFY(names("ABxC/macroName").isEmpty());
        QVERIFY(names("ABxCDE/macroName").isEmpty());
        QCOMPARE(names("ABx/macroName"), QStringList({"G"}));
        QCOMPARE(names("ABxG/macroName"), QStringList({"keep"}));
        js("init()");
        QCOMPARE(rows(), QStringList({"A/", "A/Bx/", "A/Bx/G/", "A/Bx/G/keep", "A/m1", "m1"}));
    }

    // One macro out and back in, a folder out as a batch and a folder tree in.
    void importAndExport()
    {
        QVERIFY(add("", "A", true));
        QVERIFY(add("A/", "Sub", true));
        QVERIFY(add("", "m", false));
        QVERIFY(js("insertDelay()", "macroActionPanel").toBool());
        QVERIFY(js("insertButton(0xF0)", "macroActionPanel").toBool());

        const QString out = path("out");
        QVERIFY(QDir().mkpath(out));
        dialogs.answers = {out + "/m.mc"};
        js("exportMacro()", "macroTreePanel");
        QFile library(macroDir("m.bin"));
        QFile exported(out + "/m.mc");
        QVERIFY(library.open(QIODevice::ReadOnly) && exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), library.readAll());

        // In again under another name, into the selected folder.
        QVERIFY(QFile::copy(out + "/m.mc", out + "/x.mc"));
        select("A/");
        dialogs.answers = {out + "/x.mc"};
        QVERIFY(js("importMacro()", "macroTreePanel").toBool());
        QCOMPARE(macroLines("A/x.bin"), QStringList({"0,50", "3,MS-L", "4,MS-L"}));
        QCOMPARE(names("A/macroName"), QStringList({"Sub", "x"}));
        // The store keeps the file it has; the tree does not list it twice.
        select("A/");
        dialogs.answers = {out + "/x.mc"};
        QVERIFY(!js("importMacro()", "macroTreePanel").toBool());
        QCOMPARE(takeWarning(), QString("Already have a macro with the same name!"));
        QCOMPARE(rows().count("A/x"), 1);

        // Batch export of A: the folder, its subfolder and its macro.
        select("A/");
        dialogs.answers = {path("exp")};
        QVERIFY(QDir().mkpath(path("exp")));
        js("batchExport()", "macroTreePanel");
        QVERIFY(QFileInfo(path("exp/Macro/A/x.mc")).isFile());
        QVERIFY(QFileInfo(path("exp/Macro/A/Sub")).isDir());

        // Batch import of a tree three levels deep.
        testing::writeFile(path("src/Pack/a.mc"), "[config]\ntotal=1\nrepeat=2\n[macro]\n0=0,10\n");
        testing::writeFile(path("src/Pack/one/b.mc"), "[config]\ntotal=0\nrepeat=1\n");
        testing::writeFile(path("src/Pack/one/two/c.mc"), "[config]\ntotal=0\nrepeat=1\n");
        testing::writeFile(path("src/Pack/one/two/d.mc"), "[config]\ntotal=0\nrepeat=1\n");
        testing::writeFile(path("src/Pack/zed/e.mc"), "[config]\ntotal=0\nrepeat=1\n");
        dialogs.answers = {path("src/Pack")};
        QVERIFY(js("batchImport()", "macroTreePanel").toBool());
        const QStringList imported = {"Pack/",          "Pack/a",        "Pack/one/",
                                      "Pack/one/b",     "Pack/one/two/", "Pack/one/two/c",
                                      "Pack/one/two/d", "Pack/zed/",     "Pack/zed/e"};
        QCOMPARE(rows().mid(rows().indexOf("Pack/")), imported);
        QCOMPARE(macroLines("Pack/a.bin"), QStringList({"0,10"}));
        QCOMPARE(names("Packonetwo/macroName"), QStringList({"c", "d"}));
        QCOMPARE(names("Packonetwo/level"), QStringList({"3", "3"}));
        js("init()");
        QCOMPARE(rows().mid(rows().indexOf("Pack/")), imported);
        select("Pack/a");
        QCOMPARE(js("repeatCount").toInt(), 2);

        dialogs.answers = {path("src/Pack")};
        QVERIFY(!js("batchImport()", "macroTreePanel").toBool());
        QCOMPARE(takeWarning(), QString("Already have a macro with the same name!"));
        QCOMPARE(rows().count("Pack/"), 1);
    }

    // A short word typed and a click made elsewhere arrive through the
    // view's input slots and the frame's routing; a click on Kairo itself
    // does not. Then the editing menu's insertions and the repeat count.
    void recordingJourney()
    {
        QVERIFY(add("", "rec", false));
        QSignalSpy changed(editor, SIGNAL(modifyMacroData(QString)));
        myQQuickView *view = widget->view();
        QVERIFY(js("start()", "macroRecorder").toBool());
        QVERIFY(editor->property("isInputting").toBool());

        auto send = [&](bool isDown, int usage) {
            const int before = js("lines.length", "macroActionPanel").toInt();
            view->detectKeyboard(isDown, usage);
            QTRY_VERIFY(js("lines.length", "macroActionPanel").toInt() > before);
            QTest::qWait(40);
        };
        send(true, 0x0B);
        send(false, 0x0B);
        send(true, 0x0C);
        send(false, 0x0C);
        const QPoint inside = view->mapToGlobal(QPoint(view->width() / 2, view->height() / 2));
        const QPoint outside = view->mapToGlobal(QPoint(view->width() + 300, -300));
        view->detectMouse(true, 0xF0, inside.x(), inside.y());
        view->detectMouse(false, 0xF0, inside.x(), inside.y());
        QTest::qWait(50);
        QCOMPARE(js("lines.length", "macroActionPanel").toInt(), 7);
        view->detectMouse(true, 0xF0, outside.x(), outside.y());
        QTRY_COMPARE(js("lines.length", "macroActionPanel").toInt(), 9);
        QTest::qWait(40);
        view->detectMouse(false, 0xF1, outside.x(), outside.y());
        QTRY_COMPARE(js("lines.length", "macroActionPanel").toInt(), 11);
        js("stop()", "macroRecorder");
        view->detectKeyboard(true, 0x04);
        QTest::qWait(50);

        const QStringList lines = macroLines("rec.bin");
        QCOMPARE(lines.size(), 11);
        // The file follows every event; the mouse gets the macro once, at Stop.
        QCOMPARE(changed.size(), 1);
        const QStringList actions = {"1,H", "2,H", "1,I", "2,I", "3,MS-L", "4,MS-R"};
        for (int i = 0; i < lines.size(); ++i) {
            if (i % 2 == 0) {
                QCOMPARE(lines[i], actions[i / 2]);
                continue;
            }
            // The delays are whole ticks of 10 ms, at least the time waited.
            QVERIFY2(lines[i].startsWith("0,"), qPrintable(lines[i]));
            const int ms = lines[i].mid(2).toInt();
            QVERIFY2(ms % 10 == 0 && ms >= 30, qPrintable(lines.join(' ')));
        }

        // Without "Delay" the actions follow each other directly.
        QQuickItem *delay = editor->findChild<QQuickItem *>("macroDelay");
        QVERIFY(delay);
        delay->setProperty("isSelect", false);
        QVERIFY(js("start()", "macroRecorder").toBool());
        view->detectKeyboard(true, 0x04);
        QTRY_COMPARE(macroLines("rec.bin").size(), 12);
        view->detectKeyboard(false, 0x04);
        QTRY_COMPARE(macroLines("rec.bin").size(), 13);
        js("stop()", "macroRecorder");
        QCOMPARE(macroLines("rec.bin").mid(11), QStringList({"1,A", "2,A"}));

        // Delay before the selected action; a key before it; a button after it.
        js("selectedAction = 1", "macroActionPanel");
        QVERIFY(js("insertDelay()", "macroActionPanel").toBool());
        QCOMPARE(macroLines("rec.bin").mid(0, 3), QStringList({"1,H", "0,50", lines[1]}));
        js("selectedAction = 0", "macroActionPanel");
        QVERIFY(js("insertKey(0x1E)", "macroActionPanel").toBool());
        js("selectedAction = 0", "macroActionPanel");
        QVERIFY(js("insertButton(0xF2)", "macroActionPanel").toBool());
        QCOMPARE(macroLines("rec.bin").mid(0, 5),
                 QStringList({"1,1", "3,MS-M", "4,MS-M", "2,1", "1,H"}));
        js("selectedAction = 0; deleteAction()", "macroActionPanel");
        QCOMPARE(macroLines("rec.bin").first(), QString("3,MS-M"));

        js("setRepeat('300')", "macroActionPanel");
        QSettings file(macroDir("rec.bin"), QSettings::IniFormat);
        QCOMPARE(file.value("config/repeat").toInt(), 300);
        js("setRepeat('99999')", "macroActionPanel");
        QCOMPARE(js("repeatCount").toInt(), 65535);
    }

    // On a disk that refuses the writes, the editor shows and sends only what
    // reached it: a macro that could not be made is not listed, recorded or
    // inserted actions that could not be saved are neither shown nor sent,
    // and each refusal is said.
    void brokenDiskShowsOnlyWhatWasSaved()
    {
        QVERIFY2(qEnvironmentVariable("LD_PRELOAD").contains("full_disk"),
                 "needs the disk-fault preload");
        QVERIFY(add("", "kept", false));
        const QByteArray library = QFile::encodeName(QFileInfo(macroDir("")).absoluteFilePath());
        qputenv("KAIRO_READ_ONLY_UNDER", library);
        QVERIFY(!add("", "lost", false));
        qunsetenv("KAIRO_READ_ONLY_UNDER");
        QCOMPARE(rows(), QStringList({"kept"}));
        QCOMPARE(names("macro/macroName"), QStringList({"kept"}));
        QVERIFY(!QFile::exists(macroDir("lost.bin")));
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY2(dialogs.warnings[0].contains("could not save"), qPrintable(dialogs.warnings[0]));

        select("kept");
        QSignalSpy sent(editor, SIGNAL(modifyMacroData(QString)));
        qputenv("KAIRO_FULL_DISK_UNDER", library);
        QVERIFY(!js("insertKey(0x04)", "macroActionPanel").toBool());
        QVERIFY(js("start()", "macroRecorder").toBool());
        widget->view()->detectKeyboard(true, 0x0B);
        QTest::qWait(50);
        QVERIFY(!editor->property("isInputting").toBool()); // the refusal ended it
        js("stop()", "macroRecorder");
        qunsetenv("KAIRO_FULL_DISK_UNDER");
        QCOMPARE(js("lines.length", "macroActionPanel").toInt(), 0);
        QCOMPARE(macroLines("kept.bin"), QStringList());
        QCOMPARE(sent.size(), 0);
        QCOMPARE(dialogs.warnings.size(), 3);

        QVERIFY(js("insertKey(0x04)", "macroActionPanel").toBool());
        QCOMPARE(macroLines("kept.bin"), QStringList({"1,A", "2,A"}));
        QCOMPARE(sent.size(), 1);
    }

    // Insertions and recording stop where the encoded block is full.
    void fullMacroRefusesMore()
    {
        QVERIFY(add("", "full", false));
        int inserted = 0;
        while (js("insertKey(0x04)", "macroActionPanel").toBool())
            QVERIFY(++inserted < 100);
        const QStringList lines = macroLines("full.bin");
        QCOMPARE(lines.size(), 2 * inserted);
        QVERIFY(!MacroLogic::canAddAction(lines));
        QVERIFY(MacroLogic::canAddAction(lines.mid(0, lines.size() - 2)));

        QVERIFY(!js("insertDelay()", "macroActionPanel").toBool());
        QVERIFY(!js("insertButton(0xF1)", "macroActionPanel").toBool());
        QVERIFY(js("start()", "macroRecorder").toBool());
        widget->view()->detectKeyboard(true, 0x05);
        QTest::qWait(50);
        js("stop()", "macroRecorder");
        QCOMPARE(macroLines("full.bin"), lines);
    }
};

QTEST_MAIN(MacroEditor)
#include "test_macro_editor.moc"
