#include "copydatawarning.h"
#include "ui_controler.h"

#include <QtTest>

class ShellRules : public QObject
{
    Q_OBJECT
private slots:
    void startSize_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("start");
        QTest::newRow("1920x1080 scaled") << QSize(1920, 1080) << QSize(1280, 720);
        QTest::newRow("1280x1024 kept") << QSize(1280, 1024) << QSize(1280, 1024);
        QTest::newRow("1281 wide scaled") << QSize(1281, 1024) << QSize(854, 682);
    }
    void startSize()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, start);
        QCOMPARE(Ui_Controler::startSizeFor(screen), start);
    }

    void copyDataDecisions()
    {
        const char abc[] = "abc";
        QCOMPARE(copyDataWarningText({0x250F, 3, abc}).value_or(QString()), QStringLiteral("abc"));
        QVERIFY(!copyDataWarningText({0x250F, 4, abc}));   // counted NUL
        QVERIFY(!copyDataWarningText({0x2510, 3, abc}));   // other tag
        QVERIFY(!copyDataWarningText({0x250F, 3, nullptr}));
        const char noNul[3] = {'x', 'y', 'z'};              // never read past cbData
        QCOMPARE(copyDataWarningText({0x250F, 3, noNul}).value_or(QString()), QStringLiteral("xyz"));
        const char broken[] = "\xff\xfe";                  // not UTF-8
        QVERIFY(!copyDataWarningText({0x250F, 2, broken}));
    }

    void copyDataDelivery()
    {
        QVERIFY(!deliverCopyData({0x250F, 3, "abc"}));      // no handler: not taken
        static int calls = 0;
        setCopyDataHandler([](const CopyDataMessage &, QWidget *) { ++calls; }, nullptr, nullptr);
        QVERIFY(deliverCopyData({0x1234, 0, nullptr}));
        QCOMPARE(calls, 1);
        setCopyDataHandler(nullptr, nullptr, nullptr);
    }
};

QTEST_GUILESS_MAIN(ShellRules)
#include "test_core_shell_rules.moc"
