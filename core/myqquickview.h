#pragma once

// The scene's ui_View: hosts the Qt Quick scene and offers every data and
// device operation to it as a slot. The slots only forward to the plain
// classes in settings/ and operations/, which hold the logic and are tested
// without a window.

#include <QQuickWidget>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class Hid_Thread;
class SettingsStore;
class SettingsDialogs;
class MacroLibrary;
class GunTable;
class LanguageStrings;
class MacroExchange;
struct MacroSelection;
class DeviceOperations;

class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setHidThread(Hid_Thread *hid);
    Hid_Thread *hidThread() const { return hid; }
    // Who answers the settings' file dialogs and warnings (a test's script).
    void setSettingsDialogs(SettingsDialogs *dialogs);

    // Calls a function of the scene's root with up to four arguments; does
    // nothing (but warn) when the scene did not load or lacks the function.
    void invokeScene(const char *function, Qt::ConnectionType type, const QVariantList &args = {});
    // The model flags, read once from the configuration by the settings store.
    bool modelIsColorful() const;
    bool modelIsGun() const;
    QString modelIcType() const;
    bool modelIs55328() const;

public slots:
    void initUI();
    void runUI();
    void clearHidBusy();
    void setBusy(int busyTime);
    void detectKeyboard(bool isDown, int usage);
    void detectMouse(bool isDown, int button, int x, int y);
    // How far key capture reaches: {scope: "global"|"window"|"none", reason, reasonText}.
    QVariantMap captureScope() const;

    // application configuration and profiles
    QVariant getGlobalData(const QVariant &key, const QVariant &ignored = QVariant());
    void setGlobalData(const QVariant &key, const QVariant &tmpdata);
    QVariant getData(const QVariant &key, bool isRecovery = false);
    void setData(const QVariant &key, const QVariant &data);
    QVariantList getDataList(const QVariant &key, bool isRecovery = false);
    void setDataList(const QVariant &key, const QVariantList &datalist);
    void resetApconfig();
    void setCurrentProfile(int profile);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QVariant getXYSensitive(const QVariant &index);
    void setXYSensitive(const QVariant &index, const QVariant &xyData);
    QVariant getselectGun(const QVariant &index);
    void setSelectGun(const QVariant &index, const QVariant &xyData);
    // macro library
    void setMacroSelectName(const QVariant &name1, const QVariant &name2, const QVariant &name3,
                            const QVariant &name4, const QVariant &name5);
    void setMacroLevel(const QVariant &level);
    QVariantList getNameList(int type);
    QVariant updataNameList(int type, const QStringList &nameList);
    QVariant getMacroList_Att(int att);
    QVariant getMacroSubList_Att(int att, const QString &name);
    QVariant updataMacroList(int att, int macroLevel, const QString &currentName,
                             const QStringList &nameList, const QStringList &typeList,
                             const QStringList &showImg, const QStringList &txtMargin,
                             const QStringList &level, const QStringList &no0,
                             const QStringList &no1, const QStringList &no2, const QStringList &no3,
                             const QStringList &no4);
    void updataMacroList_delOld(const QString &macroLevel);
    QVariant createMacroIni(const QString &name, const QVariant &macroIndex, int macroLevel,
                            int macroType);
    QVariant saveMacroIni(int macroLevel, const QString &name, const QStringList &macros,
                          const QVariant &repeat);
    QStringList loadMacroIni(int macroLevel, const QString &name);
    QVariant deleteMacroIni(int macroLevel, int macroType, const QString &name);
    QVariant modifyMacroNameUpdateProfile(int macroLevel, int macroType, const QString &oldname,
                                          const QString &newname);
    void deleteMacroUpdateProfile(const QString &macroName);
    // gun table
    bool mouseSaveGundata(const QVariant &index, const QVariantList &src6);
    bool modifyGundata(int modifyType, const QVariantList &src6);
    QVariantList getGunData(const QVariant &name);
    QStringList getGunDataKey();
    // language strings
    QStringList getLangStrings(const QString &typeStr, const QString &langCode);
    // macro import and export
    QString loadMacroFile(int macroLevel, int selectType);
    void saveMacroFile(int macroLevel, const QString &macroName);
    QString loadMacroFile_batch();
    void loadMacroFile_sub_batch();
    QStringList getMacroFileName_batch(int macroLevel, int macroType);
    QStringList getSkippedLinks_batch();
    void getbatchPath();
    void saveMacroFile_batch(int macroLevel, const QVariantList &macroFileName,
                             const QVariantList &macroFileType);
    void searchMacroFile_sub_batch(const QString &currentName, int currentLevel, int deleteLevel);

    // buttons
    void mouseSetKeyMatrix(const QVariant &mouseMode, const QVariantList &src64,
                           const QVariantList &src64_2, bool isSendData,
                           const QVariantList &otherParam);
    QVariantList mouseGetKeydefine(const QVariant &mouseMode, const QVariant &index,
                                   bool isRecovery);
    void mouseResetKeyMatrix();
    void mouseSwitchKeyMatrix(int indexNo);
    // DPI, report rate, lift-off
    void mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray,
                     const QVariantList &dpiEnableArray);
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void setCurrentDPI(int dpiValue);
    void mouseSetReportRate(uchar rate);
    void mouseSetLodValue(uchar rate, uchar en);
    // lighting
    void mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                         const QVariantList &rgbArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, const QVariantList &src24);
    void ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24);
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    bool chkIsLogoLedWork();
    // macros, guns, keyboard option
    QVariant mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex);
    void mouseSendGundata(int index, const QVariantList &data);
    QVariantList GetKeyboardoption();
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    // pointer settings
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetDoubleClickSpeed(uint speed);
    void mouseSetVerticalScrollLines(uint lines);
    // Which of the three the desktop takes (PointerOperations has the shape).
    QVariantMap pointerSettingsSupport();
    // Kairo started at login: the XDG autostart entry exists. A failed change
    // shows a warning and returns false.
    bool autostartEnabled();
    bool setAutostartEnabled(bool enabled);
    // device profiles
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    bool mouseReadDeviceProfiles(int count);
    QVariant mouseReadCurrentProfile();
    // One action of the person's (a Save, a profile switch, a macro
    // transfer, the start): the end answers "done", "notTaken", "noAnswer"
    // or "notRead" (see ActionOutcome).
    void beginMouseAction();
    QString endMouseAction();
    // The one length rule of every macro sent (MacroTransfer::fitsBlock).
    bool macroFits(const QVariantList &macroData);
    // Whether a stage the mouse reports is one of the profile's stages.
    bool isKnownStage(int stage);
    void openUpdateExe();

protected:
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

signals:
    // The scene stored another common/language: the native side's texts
    // (tray, Qt's own dialogs) follow it.
    void languageChanged(const QString &language);

private:
    // Construction steps, each in the file of its part; called by the
    // constructor in this order: settings first (the operations read them).
    void initSettings();
    void initOperations();
    // Called by setHidThread once the device link is known.
    void attachOperationsToHid();

    Hid_Thread *hid = nullptr;
    // The store first, so it is destroyed last: the other settings classes
    // and the operations use it.
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<SettingsDialogs> settingsDialogs;
    // Where the macro pages are in the library tree: the library and the
    // exchange both address entries through it.
    std::unique_ptr<MacroSelection> macroSelection;
    std::unique_ptr<MacroLibrary> macroLibrary;
    std::unique_ptr<GunTable> gunTable;
    std::unique_ptr<LanguageStrings> languageStrings;
    std::unique_ptr<MacroExchange> macroExchange;
    std::unique_ptr<DeviceOperations> operations;
};
