#include "core/copydatawarning.h"
#include "core/myqquickview.h"
#include "core/qtsinglecoreapplication.h"
#include "core/scenerenderer.h"
#include "core/udevrule.h"
#include "core/ui_controler.h"
#include "device/hid_thread.h"

#include <QDirIterator>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets or (with a null value) removes an environment variable for one scope.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : name(name)
        , had(qEnvironmentVariableIsSet(name))
        , old(qgetenv(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnv() { had ? qputenv(name, old) : qunsetenv(name); }

private:
    const char *name;
    bool had;
    QByteArray old;
};

// Puts what a folder row names at path: "missing", "private" (0700, ours),
// "open" (0750, ours), "foreign" (0700, another user's), "symlink" (to a
// private folder of ours) or "file". False when it cannot be set up.
bool makeFolderEntry(const QString &path, const QString &kind)
{
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("missing"))
        return true;
    if (kind == QLatin1String("file"))
        return QFile(path).open(QIODevice::WriteOnly);
    if (kind == QLatin1String("symlink"))
        return makeFolderEntry(path + QStringLiteral("-target"), QStringLiteral("private"))
               && QFile::link(path + QStringLiteral("-target"), path);
    if (::mkdir(native.constData(), 0700) != 0)
        return false;
    if (kind == QLatin1String("foreign"))
        return ::chown(native.constData(), 65534, 65534) == 0;
    return ::chmod(native.constData(), kind == QLatin1String("open") ? 0750 : 0700) == 0;
}

QString describeEntry(const QString &path)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("none");
    return QStringLiteral("uid %1 mode %2 %3")
        .arg(info.st_uid)
        .arg(info.st_mode & 07777, 0, 8)
        .arg(S_ISDIR(info.st_mode)   ? "dir"
             : S_ISLNK(info.st_mode) ? "link"
                                     : "other");
}

// Largest parameter count of the public slots and invokables called name,
// inherited ones included; -1 when there is none.
int invokableParameters(const QMetaObject &meta, const QByteArray &name)
{
    int most = -1;
    for (int i = 0; i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.name() == name && method.access() == QMetaMethod::Public
            && (method.methodType() == QMetaMethod::Slot
                || method.methodType() == QMetaMethod::Method))
            most = std::max(most, method.parameterCount());
    }
    return most;
}

// Arguments of the call whose "(" is at open: top-level commas plus one, or
// -1 when the closing parenthesis is missing. Strings and nested brackets
// do not count.
int argumentCount(const QString &text, qsizetype open)
{
    int depth = 0;
    int commas = 0;
    bool empty = true;
    QChar quote;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char(')') && depth == 0)
            return empty ? 0 : commas + 1;
        if (!c.isSpace())
            empty = false;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('`'))
            quote = c;
        else if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}'))
            --depth;
        else if (c == QLatin1Char(',') && depth == 0)
            ++commas;
    }
    return -1;
}

} // namespace

class ShellRules : public QObject
{
    Q_OBJECT
private slots:
    // The scene calls the view, the controller and the device link by name;
    // a renamed slot, a plain method or one argument too many would fail only
    // at run time, in the scene. Pages hold the view as "view", the
    // controller as "windowControl" and the link as "hidLink".
    void sceneCallsAreInvokable()
    {
        const QList<QPair<QStringList, const QMetaObject *>> objects{
            {{"ui_View", "view"}, &myQQuickView::staticMetaObject},
            {{"ui_Ctl", "windowControl"}, &Ui_Controler::staticMetaObject},
            {{"hid", "hidLink"}, &Hid_Thread::staticMetaObject}};
        // An optional qualifier (an id, or a type for attached objects such
        // as ListView.view, which are not ours), the object, the function.
        static const QRegularExpression call(QStringLiteral(
            "(?<![\\w.])((?:\\w+\\.)*)(ui_View|view|ui_Ctl|windowControl|hid|hidLink)"
            "\\.(\\w+)\\s*\\("));
        QList<int> found(objects.size(), 0);
        QStringList faults;
        QDirIterator files(QStringLiteral(KAIRO_QML_DIR), {QStringLiteral("*.qml")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
            QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
            for (QString &line : lines) {
                if (line.trimmed().startsWith(QLatin1String("//")))
                    line.clear(); // keeps the line numbers
            }
            const QString text = lines.join(QLatin1Char('\n'));
            for (auto m = call.globalMatch(text); m.hasNext();) {
                const QRegularExpressionMatch match = m.next();
                const QString qualifier = match.captured(1);
                if (!qualifier.isEmpty() && qualifier.at(0).isUpper())
                    continue;
                const QString where =
                    QStringLiteral("%1:%2 %3%4.%5")
                        .arg(QDir(QStringLiteral(KAIRO_QML_DIR)).relativeFilePath(file.fileName()))
                        .arg(text.left(match.capturedStart()).count(QLatin1Char('\n')) + 1)
                        .arg(qualifier, match.captured(2), match.captured(3));
                qsizetype object = 0;
                while (!objects[object].first.contains(match.captured(2)))
                    ++object;
                ++found[object];
                const int parameters =
                    invokableParameters(*objects[object].second, match.captured(3).toLatin1());
                const int arguments = argumentCount(text, match.capturedEnd() - 1);
                if (parameters < 0)
                    faults << where + QStringLiteral(": no public slot or invokable");
                else if (arguments < 0)
                    faults << where + QStringLiteral(": call not closed");
                else if (arguments > parameters)
                    faults << where
                                  + QStringLiteral(": %1 arguments, at most %2")
                                        .arg(arguments)
                                        .arg(parameters);
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        for (qsizetype i = 0; i < objects.size(); ++i)
            QVERIFY2(found[i] > 0,
                     qPrintable(objects[i].first.join(QLatin1Char('/')) + ": no call found"));
    }

    void startSize_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("start");
        QTest::newRow("1920x1080, a panel") << QSize(1920, 1053) << QSize(1280, 720);
        QTest::newRow("2880x1620 at two thirds") << QSize(2880, 1620) << QSize(1920, 1080);
        // The design's own size keeps the smallest text 12 px high.
        QTest::newRow("1366x768 less a panel") << QSize(1366, 741) << QSize(1280, 720);
        QTest::newRow("1280x1024 leaves the panel") << QSize(1280, 996) << QSize(1280, 720);
        QTest::newRow("1920x1200 stays 16:9") << QSize(1920, 1200) << QSize(1280, 720);
        QTest::newRow("smaller than the design fits it") << QSize(1024, 576) << QSize(1024, 576);
    }
    void startSize()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, start);
        QCOMPARE(Ui_Controler::startSizeFor(screen), start);
    }

    // The lock and the socket go where no other local user can get first:
    // the runtime folder when it is ours alone, else our own private folder
    // in the shared temporary folder, else nowhere. A folder that fails the
    // check is left exactly as it was found.
    void singleInstanceFolder_data()
    {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("runtime folder") << "private"
                                        << "missing"
                                        << "runtime";
        QTest::newRow("no runtime folder") << ""
                                           << "missing"
                                           << "fallback";
        QTest::newRow("runtime folder missing") << "missing"
                                                << "missing"
                                                << "fallback";
        QTest::newRow("runtime folder open to the group") << "open"
                                                          << "missing"
                                                          << "fallback";
        QTest::newRow("runtime folder of another user") << "foreign"
                                                        << "missing"
                                                        << "fallback";
        QTest::newRow("fallback already there") << ""
                                                << "private"
                                                << "fallback";
        QTest::newRow("fallback open to the group") << ""
                                                    << "open"
                                                    << "";
        QTest::newRow("fallback of another user") << ""
                                                  << "foreign"
                                                  << "";
        QTest::newRow("fallback is a symlink") << ""
                                               << "symlink"
                                               << "";
        QTest::newRow("fallback is a file") << ""
                                            << "file"
                                            << "";
    }
    void singleInstanceFolder()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, fallback);
        QFETCH(QString, chosen);
        QTemporaryDir shared;
        QTemporaryDir sessionRoot;
        QVERIFY(shared.isValid() && sessionRoot.isValid());
        const QString runtimePath = sessionRoot.filePath(QStringLiteral("runtime"));
        const QString fallbackPath = shared.filePath(QStringLiteral("kairo-%1").arg(::getuid()));
        if ((runtime == QLatin1String("foreign") || fallback == QLatin1String("foreign"))
            && ::geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        QVERIFY(runtime.isEmpty() || makeFolderEntry(runtimePath, runtime));
        QVERIFY(makeFolderEntry(fallbackPath, fallback));
        const QString fallbackBefore = describeEntry(fallbackPath);

        ScopedEnv tmp("TMPDIR", QFile::encodeName(shared.path()));
        ScopedEnv xdg("XDG_RUNTIME_DIR",
                      runtime.isEmpty() ? QByteArray() : QFile::encodeName(runtimePath));
        if (chosen.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("is not a private folder")));
        const QString folder = QtSingleCoreApplication::privateRuntimeDir();

        if (chosen == QLatin1String("runtime"))
            QCOMPARE(folder, runtimePath);
        else if (chosen == QLatin1String("fallback"))
            QCOMPARE(folder, fallbackPath);
        else
            QCOMPARE(folder, QString());
        if (chosen == QLatin1String("fallback"))
            QCOMPARE(describeEntry(fallbackPath),
                     QStringLiteral("uid %1 mode 700 dir").arg(::geteuid()));
        else
            QCOMPARE(describeEntry(fallbackPath), fallbackBefore);
    }

    // The rule a denied mouse needs, copied from where this install keeps it;
    // a blank or a quote in the path stays one word for the shell.
    void udevRuleCommand_data()
    {
        QTest::addColumn<QString>("ruleAt"); // under the prefix; "" for none
        QTest::addColumn<QString>("copied");
        QTest::newRow("per-user prefix") << "share/kairo"
                                         << "'<prefix>/share/kairo/60-kairo.rules'";
        QTest::newRow("beside the modules") << "data"
                                            << "'<prefix>/data/60-kairo.rules'";
        QTest::newRow("read by udev") << "lib/udev/rules.d"
                                      << "";
        QTest::newRow("none found") << ""
                                    << "~/.local/share/kairo/60-kairo.rules";
    }
    void udevRuleCommand()
    {
        QFETCH(QString, ruleAt);
        QFETCH(QString, copied);
        QTemporaryDir root;
        const QString prefix = root.filePath(QStringLiteral("my prefix's"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/lib/kairo")));
        QVERIFY(QDir().mkpath(prefix + QLatin1Char('/') + ruleAt));
        if (!ruleAt.isEmpty())
            QVERIFY(QFile(prefix + QLatin1Char('/') + ruleAt + QStringLiteral("/60-kairo.rules"))
                        .open(QIODevice::WriteOnly));
        QString expected =
            QStringLiteral("sudo udevadm control --reload-rules && sudo udevadm trigger");
        if (!copied.isEmpty())
            expected.prepend(
                QStringLiteral("sudo install -m 644 %1 /etc/udev/rules.d/ && ").arg(copied));
        expected.replace(QStringLiteral("<prefix>"),
                         QString(prefix).replace(u'\'', QStringLiteral("'\\''")));
        QCOMPARE(kairo::udevrule::installCommand(prefix + QStringLiteral("/lib/kairo"),
                                                 prefix + QStringLiteral("/data")),
                 expected);
    }

    void copyDataDecisions()
    {
        const char abc[] = "abc";
        QCOMPARE(copyDataWarningText({0x250F, 3, abc}).value_or(QString()), QStringLiteral("abc"));
        QVERIFY(!copyDataWarningText({0x250F, 4, abc})); // counted NUL
        QVERIFY(!copyDataWarningText({0x2510, 3, abc})); // other tag
        QVERIFY(!copyDataWarningText({0x250F, 3, nullptr}));
        const char noNul[3] = {'x', 'y', 'z'}; // never read past cbData
        QCOMPARE(copyDataWarningText({0x250F, 3, noNul}).value_or(QString()),
                 QStringLiteral("xyz"));
        const char broken[] = "\xff\xfe"; // not UTF-8
        QVERIFY(!copyDataWarningText({0x250F, 2, broken}));
    }

    void copyDataDelivery()
    {
        QVERIFY(!deliverCopyData({0x250F, 3, "abc"})); // no handler: not taken
        static int calls = 0;
        setCopyDataHandler([](const CopyDataMessage &, QWidget *) { ++calls; }, nullptr, nullptr);
        QVERIFY(deliverCopyData({0x1234, 0, nullptr}));
        QCOMPARE(calls, 1);
        setCopyDataHandler(nullptr, nullptr, nullptr);
    }

    // Software only where Mesa would draw on the processor anyway, and
    // never against a renderer the user named.
    void sceneRenderer()
    {
        using kairo::scenerenderer::Facts;
        const struct {
            const char *name;
            Facts facts; // QT_QUICK_BACKEND, QSG_RHI_BACKEND, LIBGL_ALWAYS_SOFTWARE, GALLIUM_DRIVER
            bool software;
        } rows[] = {
            {"card", {"", "", "", "", true}, false},
            {"no card", {"", "", "", "", false}, true},
            {"user named gl", {"", "opengl", "", "", false}, false},
            {"user named software", {"software", "", "", "", true}, false},
            {"mesa told software", {"", "", " True", "", true}, true},
            {"mesa told not", {"", "", "0", "", true}, false},
            {"llvmpipe driver", {"", "", "", "LLVMpipe", true}, true},
            {"card driver", {"", "", "", "iris", true}, false},
        };
        for (const auto &row : rows)
            QVERIFY2(kairo::scenerenderer::prefersSoftware(row.facts) == row.software, row.name);
    }
};

QTEST_GUILESS_MAIN(ShellRules)
#include "test_core_shell_rules.moc"
