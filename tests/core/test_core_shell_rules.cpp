#include "copydatawarning.h"
#include "myqquickview.h"
#include "ui_controler.h"

#include <QtTest>

namespace {

QStringList publicSlotNames(const QMetaObject &meta)
{
    QStringList names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Public)
            names << QString::fromLatin1(method.name());
    }
    return names;
}

} // namespace

class ShellRules : public QObject
{
    Q_OBJECT
private slots:
    // The scene calls these by name; a renamed or non-slot function would
    // fail only at run time, in the scene, as an undefined call.
    void sceneFindsEveryNamedSlot_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("name");
        const char *viewSlots[] = {
            "initUI", "runUI", "clearHidBusy", "setBusy", "getGlobalData", "setGlobalData",
            "getData", "setData", "getDataList", "setDataList", "resetApconfig",
            "setCurrentProfile", "loadProfile", "saveProfile", "resetProfile", "copyProfile",
            "getXYSensitive", "setXYSensitive", "getselectGun", "setSelectGun",
            "setMacroSelectName", "setMacroLevel", "getNameList", "updataNameList",
            "getMacroList_Att", "getMacroSubList_Att", "updataMacroList", "updataMacroList_delOld",
            "createMacroIni", "saveMacroIni", "loadMacroIni", "deleteMacroIni",
            "modifyMacroNameUpdateProfile", "deleteMacroUpdateProfile", "mouseSaveGundata",
            "modifyGundata", "getGunData", "getGunDataKey", "getLangStrings", "loadMacroFile",
            "saveMacroFile", "loadMacroFile_batch", "loadMacroFile_sub_batch",
            "getMacroFileName_batch", "getbatchPath", "saveMacroFile_batch",
            "searchMacroFile_sub_batch", "mouseSetKeyMatrix", "mouseGetKeydefine",
            "mouseResetKeyMatrix", "mouseSwitchKeyMatrix", "mouseSetDpi", "mouseSetCurrentDPI",
            "mouseGetCurrentDPI", "setCurrentDPI", "mouseSetReportRate", "mouseSetLodValue",
            "mouseSetLedType", "mouseSetRGBEffect", "mouseSetRGBColor",
            "ui_10H_SetLED8StageColor", "ui_90H_GetLED8StageColor", "chkIsLogoLedWork",
            "mouseSendMacroData", "mouseSendGundata", "GetKeyboardoption",
            "mouseSetKeyboardoption", "mouseSetCursorSpeed", "mouseSetDoubleClickSpeed",
            "mouseSetVerticalScrollLines", "mouseSetProfile", "mouseReadProfile",
            "mouseReadCurrentProfile", "openUpdateExe"};
        for (const char *name : viewSlots)
            QTest::addRow("ui_View.%s", name) << "ui_View" << QString::fromLatin1(name);
        const char *controllerSlots[] = {"onMinimize", "onMaxRestore", "onHide", "onClose",
                                         "onXChanged", "onYChanged", "setBusy", "test"};
        for (const char *name : controllerSlots)
            QTest::addRow("ui_Ctl.%s", name) << "ui_Ctl" << QString::fromLatin1(name);
    }
    void sceneFindsEveryNamedSlot()
    {
        QFETCH(QString, object);
        QFETCH(QString, name);
        const QMetaObject &meta = object == "ui_View" ? myQQuickView::staticMetaObject
                                                      : Ui_Controler::staticMetaObject;
        QVERIFY2(publicSlotNames(meta).contains(name), qPrintable(name));
    }


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
