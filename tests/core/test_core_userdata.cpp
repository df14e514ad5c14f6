// The folder the program works in, and the user's copy of the shipped
// modules/ when the program's own cannot be written.
#include "core/userdata.h"

#include <QDirIterator>
#include <QtTest>

#include <grp.h>
#include <unistd.h>

namespace {

// Relative path -> content; a path ending in '/' is an empty folder.
using Tree = QMap<QString, QByteArray>;

void writeTree(const QString &root, const Tree &tree)
{
    for (auto it = tree.begin(); it != tree.end(); ++it) {
        const QString path = root + '/' + it.key();
        if (it.key().endsWith('/')) {
            QVERIFY(QDir().mkpath(path));
            continue;
        }
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(it.value()), it.value().size());
    }
}

Tree readTree(const QString &root)
{
    Tree tree;
    const QDir base(root);
    QDirIterator it(root, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = base.relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            if (QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
                tree.insert(rel + '/', QByteArray());
        } else {
            QFile file(path);
            tree.insert(rel, file.open(QIODevice::ReadOnly) ? file.readAll()
                                                            : QByteArray("<unreadable>"));
        }
    }
    return tree;
}

void setWritable(const QString &root, bool writable)
{
    const auto apply = [writable](const QString &path) {
        QFile::Permissions p = QFile::permissions(path);
        // setPermissions() takes the "User" bits for the owner's too.
        p = writable ? p | QFile::WriteOwner
                     : p
                           & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup
                               | QFile::WriteOther);
        QFile::setPermissions(path, p);
    };
    apply(root);
    QDirIterator it(root, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        apply(it.next());
}

bool canCreateIn(const QString &folder)
{
    QFile probe(folder + "/probe");
    const bool created = probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (created)
        probe.remove();
    return created;
}

const Tree shipped{
    {"setting/apConfig.bin", "[common]\nlanguage=English\n"},
    {"setting/p1.bin", "[mouse]\ndpiValueArray=400, 800\n"},
    {"setting/pD.bin", "[mouse]\ndpiValueArray=400, 800\n"},
    {"i18n/English.ini", "[other]\n8=udev\n"},
    {"macro/", {}},
};

Tree with(Tree tree, const Tree &changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it)
        tree.insert(it.key(), it.value());
    return tree;
}

} // namespace

class UserData : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString program() const { return dir.filePath("program"); }
    QString home() const { return dir.filePath("data"); }
    QString own() const { return dir.filePath("data/kairo"); }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        setWritable(dir.path(), true);
        for (const QString &name : QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY(QDir(dir.filePath(name)).removeRecursively());
    }

    void cleanupTestCase() { setWritable(dir.path(), true); }

    // What a start leaves behind: the folder it works in, the user's copy,
    // and the shipped folder exactly as installed.
    void workingFolder_data()
    {
        QTest::addColumn<Tree>("installed");
        QTest::addColumn<QStringList>("readOnly"); // folders below program/, "" = all of it
        QTest::addColumn<bool>("ownCopyBefore");
        QTest::addColumn<Tree>("ownBefore");
        QTest::addColumn<bool>("dataHomeWritable");
        QTest::addColumn<QString>("expected"); // "program" or "own"
        QTest::addColumn<Tree>("ownAfter");    // checked when expected is "own"

        Tree mine = with(shipped, {{"setting/p1.bin", "[mouse]\ndpiValueArray=400, 900\n"},
                                   {"setting/apConfig.bin", "[common]\nlanguage=German\n"},
                                   {"macro/Aim.bin", "[config]\ntotal=1\n"}});
        mine.remove("macro/");

        QTest::newRow("writable: works beside the program")
            << shipped << QStringList() << false << Tree() << true << "program" << Tree();
        QTest::newRow("read-only, first start: copies everything")
            << shipped << QStringList{""} << false << Tree() << true << "own" << shipped;
        QTest::newRow("one read-only folder makes the tree read-only")
            << shipped << QStringList{"modules/setting"} << false << Tree() << true << "own"
            << shipped;
        QTest::newRow("read-only, later start: the user's files stay")
            << shipped << QStringList{""} << true << mine << true << "own" << mine;
        QTest::newRow("newer install: missing files added, none replaced")
            << with(shipped, {{"i18n/Esperanto.ini", "[other]\n8=eo\n"},
                              {"setting/pD.bin", "[mouse]\ndpiValueArray=500, 1000\n"},
                              {"gun/", {}}})
            << QStringList{""} << true << mine << true << "own"
            << with(mine, {{"i18n/Esperanto.ini", "[other]\n8=eo\n"}, {"gun/", {}}});
        QTest::newRow("a half-made copy is completed")
            << shipped << QStringList{""} << true
            << Tree{{"setting/apConfig.bin", "[common]\nlanguage=French\n"}} << true << "own"
            << with(shipped, {{"setting/apConfig.bin", "[common]\nlanguage=French\n"}});
        QTest::newRow("no copy possible: the program's folder, read-only")
            << shipped << QStringList{""} << false << Tree() << false << "program" << Tree();
    }

    void workingFolder()
    {
        QFETCH(Tree, installed);
        QFETCH(QStringList, readOnly);
        QFETCH(bool, ownCopyBefore);
        QFETCH(Tree, ownBefore);
        QFETCH(bool, dataHomeWritable);
        QFETCH(QString, expected);
        QFETCH(Tree, ownAfter);

        writeTree(program() + "/modules", installed);
        QVERIFY(QFile(program() + "/kairo").open(QIODevice::WriteOnly));
        QVERIFY(QDir().mkpath(home()));
        if (ownCopyBefore)
            writeTree(own() + "/modules", ownBefore);
        for (const QString &folder : readOnly)
            setWritable(folder.isEmpty() ? program() : program() + '/' + folder, false);
        if (!dataHomeWritable)
            setWritable(home(), false);
        if (!readOnly.isEmpty() && canCreateIn(program() + "/modules/setting"))
            QSKIP(
                "this user may write into read-only folders (root): run the test as another user");
        const Tree before = readTree(program());

        const QString folder = kairo::userdata::workingFolder(program(), home());

        QCOMPARE(folder, expected == "program" ? program() : own());
        QCOMPARE(readTree(program()), before);
        if (expected == "program") {
            QVERIFY(!QFileInfo::exists(own()));
            return;
        }
        QCOMPARE(readTree(own() + "/modules"), ownAfter);
        // The copy is the user's to save into, whatever the shipped modes were.
        QVERIFY(canCreateIn(own() + "/modules/setting"));
        QVERIFY(QFileInfo(own() + "/modules/setting/p1.bin").isWritable());
    }

    // Three versions in a row over one user's copy: a shipped file the user
    // left as it was follows each version; one the user changed, and the
    // user's own kinds of file, stay; so does a file the record never saw.
    void newerVersionsReplaceOnlyWhatTheUserLeft()
    {
        const QString modules = own() + "/modules";
        const Tree v1 = with(shipped, {{"i18n/German.ini", "[other]\n8=de\n"},
                                       {"img/logo.png", "v1"},
                                       {"gun/gun.bin", "[gun]\n1=1\n"},
                                       {"setting/name.bin", "[name]\n1=Standard\n"}});
        writeTree(program() + "/modules", v1);
        QVERIFY(kairo::userdata::updateUserCopy(program() + "/modules", modules));
        QCOMPARE(readTree(modules), v1);

        Tree mine = with(v1, {{"i18n/German.ini", "[other]\n8=meins\n"},
                              {"setting/p1.bin", "[mouse]\ndpiValueArray=1600\n"},
                              {"macro/Aim.bin", "[config]\ntotal=1\n"}});
        mine.remove("macro/"); // it holds a macro now
        writeTree(modules, mine);
        Tree next = v1;
        for (const QString &file : v1.keys()) {
            if (!file.endsWith('/'))
                next.insert(file, v1.value(file) + "; v2");
        }
        writeTree(program() + "/modules", next);
        QVERIFY(kairo::userdata::updateUserCopy(program() + "/modules", modules));
        const QStringList followed{"i18n/English.ini", "img/logo.png", "setting/pD.bin"};
        Tree expected = mine;
        for (const QString &file : followed)
            expected.insert(file, next.value(file));
        QCOMPARE(readTree(modules), expected);

        // v3: the record was brought up to v2, so v3 follows as well.
        writeTree(program() + "/modules", with(next, {{"i18n/English.ini", "v3"}}));
        QVERIFY(kairo::userdata::updateUserCopy(program() + "/modules", modules));
        QCOMPARE(readTree(modules).value("i18n/English.ini"), QByteArray("v3"));

        // A copy made before there was a record: nothing there is replaced.
        QVERIFY(QFile::remove(own() + "/shipped-files"));
        writeTree(program() + "/modules", with(next, {{"i18n/English.ini", "v4"}}));
        QVERIFY(kairo::userdata::updateUserCopy(program() + "/modules", modules));
        QCOMPARE(readTree(modules).value("i18n/English.ini"), QByteArray("v3"));
        QCOMPARE(readTree(program()).value("modules/i18n/English.ini"), QByteArray("v4"));
    }

    void dataHome_data()
    {
        QTest::addColumn<QByteArray>("xdgDataHome"); // null: unset
        QTest::addColumn<QString>("expected");       // below HOME unless absolute
        QTest::newRow("set") << QByteArray("/srv/users/ana/data") << "/srv/users/ana/data";
        QTest::newRow("unset") << QByteArray() << ".local/share";
        QTest::newRow("empty") << QByteArray("") << ".local/share";
        QTest::newRow("relative, ignored") << QByteArray("data") << ".local/share";
    }

    void dataHome()
    {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QString, expected);
        const QByteArray savedHome = qgetenv("HOME");
        const QByteArray savedData = qgetenv("XDG_DATA_HOME");
        const bool dataWasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("HOME", "/home/ana");
        if (xdgDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", xdgDataHome);

        const QString found = kairo::userdata::dataHome();

        qputenv("HOME", savedHome);
        if (dataWasSet)
            qputenv("XDG_DATA_HOME", savedData);
        else
            qunsetenv("XDG_DATA_HOME");
        QCOMPARE(found, expected.startsWith('/') ? expected : "/home/ana/" + expected);
    }
};

// Root may write into any folder, so read-only folders prove nothing under
// root: the test then runs as the unprivileged user "nobody".
int main(int argc, char **argv)
{
    if (::geteuid() == 0
        && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        qWarning("cannot leave root; the read-only cases will be skipped");
    QCoreApplication app(argc, argv);
    UserData test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_core_userdata.moc"
