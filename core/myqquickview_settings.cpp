// The view's settings slots: each forwards to the settings classes, which
// hold the logic and are tested without a window.

#include "core/myqquickview.h"

#include "core/autostart.h"
#include "core/widgetdialogs.h"
#include "settings/guntable.h"
#include "settings/languagestrings.h"
#include "settings/macroexchange.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsdialogs.h"
#include "settings/settingsstore.h"

void myQQuickView::setSettingsDialogs(SettingsDialogs *dialogs)
{
    settings->setDialogs(dialogs);
}

void myQQuickView::initSettings()
{
    // Every path is relative to the working directory, the program's own.
    settingsDialogs.reset(new WidgetDialogs(this));
    settings.reset(new SettingsStore(QStringLiteral("./modules"), settingsDialogs.get()));
    macroSelection = std::make_unique<MacroSelection>();
    macroLibrary.reset(new MacroLibrary(*settings, *macroSelection));
    gunTable.reset(new GunTable(*settings));
    languageStrings.reset(new LanguageStrings(*settings));
    macroExchange.reset(new MacroExchange(*settings, *macroSelection));
}

bool myQQuickView::modelIsColorful() const
{
    return settings->isColorful();
}
bool myQQuickView::modelIsGun() const
{
    return settings->isGun();
}
QString myQQuickView::modelIcType() const
{
    return settings->icType();
}
bool myQQuickView::modelIs55328() const
{
    return settings->is55328();
}

QVariant myQQuickView::getGlobalData(const QVariant &key, const QVariant &)
{
    return settings->getGlobalData(key);
}

void myQQuickView::setGlobalData(const QVariant &key, const QVariant &tmpdata)
{
    const bool language = key.toString() == QLatin1String("common/language");
    const QString before = language ? settings->getGlobalData(key).toString() : QString();
    settings->setGlobalData(key, tmpdata);
    if (language && tmpdata.toString() != before)
        emit languageChanged(tmpdata.toString());
}

QVariant myQQuickView::getData(const QVariant &key, bool isRecovery)
{
    return settings->getData(key, isRecovery);
}

void myQQuickView::setData(const QVariant &key, const QVariant &data)
{
    settings->setData(key, data);
}

QVariantList myQQuickView::getDataList(const QVariant &key, bool isRecovery)
{
    return settings->getDataList(key, isRecovery);
}

void myQQuickView::setDataList(const QVariant &key, const QVariantList &datalist)
{
    settings->setDataList(key, datalist);
}

void myQQuickView::resetApconfig()
{
    settings->resetApconfig();
}
void myQQuickView::setCurrentProfile(int profile)
{
    settings->setCurrentProfile(profile);
}
bool myQQuickView::loadProfile(int profile)
{
    return settings->loadProfile(profile);
}
void myQQuickView::saveProfile(int profile)
{
    settings->saveProfile(profile);
}
void myQQuickView::resetProfile(int profile)
{
    settings->resetProfile(profile);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    settings->copyProfile(destprofile, srcprofile);
}

QVariant myQQuickView::getXYSensitive(const QVariant &index)
{
    return settings->getXYSensitive(index);
}

void myQQuickView::setXYSensitive(const QVariant &index, const QVariant &xyData)
{
    settings->setXYSensitive(index, xyData);
}

QVariant myQQuickView::getselectGun(const QVariant &index)
{
    return settings->getselectGun(index);
}

void myQQuickView::setSelectGun(const QVariant &index, const QVariant &xyData)
{
    settings->setSelectGun(index, xyData);
}

void myQQuickView::setMacroSelectName(const QVariant &name1, const QVariant &name2,
                                      const QVariant &name3, const QVariant &name4,
                                      const QVariant &name5)
{
    macroLibrary->setMacroSelectName(name1, name2, name3, name4, name5);
}

void myQQuickView::setMacroLevel(const QVariant &level)
{
    macroLibrary->setMacroLevel(level);
}
QVariantList myQQuickView::getNameList(int type)
{
    return macroLibrary->getNameList(type);
}

QVariant myQQuickView::updataNameList(int type, const QStringList &nameList)
{
    return macroLibrary->updataNameList(type, nameList);
}

QVariant myQQuickView::getMacroList_Att(int att)
{
    return macroLibrary->getMacroList_Att(att);
}

QVariant myQQuickView::getMacroSubList_Att(int att, const QString &name)
{
    return macroLibrary->getMacroSubList_Att(att, name);
}

QVariant myQQuickView::updataMacroList(int att, int macroLevel, const QString &currentName,
                                       const QStringList &nameList, const QStringList &typeList,
                                       const QStringList &showImg, const QStringList &txtMargin,
                                       const QStringList &level, const QStringList &no0,
                                       const QStringList &no1, const QStringList &no2,
                                       const QStringList &no3, const QStringList &no4)
{
    return macroLibrary->updataMacroList(att, macroLevel, currentName, nameList, typeList, showImg,
                                         txtMargin, level, no0, no1, no2, no3, no4);
}

void myQQuickView::updataMacroList_delOld(const QString &macroLevel)
{
    macroLibrary->updataMacroList_delOld(macroLevel);
}

QVariant myQQuickView::createMacroIni(const QString &name, const QVariant &macroIndex,
                                      int macroLevel, int macroType)
{
    return macroLibrary->createMacroIni(name, macroIndex, macroLevel, macroType);
}

QVariant myQQuickView::saveMacroIni(int macroLevel, const QString &name, const QStringList &macros,
                                    const QVariant &repeat)
{
    return macroLibrary->saveMacroIni(macroLevel, name, macros, repeat);
}

QStringList myQQuickView::loadMacroIni(int macroLevel, const QString &name)
{
    return macroLibrary->loadMacroIni(macroLevel, name);
}

QVariant myQQuickView::deleteMacroIni(int macroLevel, int macroType, const QString &name)
{
    return macroLibrary->deleteMacroIni(macroLevel, macroType, name);
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(int macroLevel, int macroType,
                                                    const QString &oldname, const QString &newname)
{
    return macroLibrary->modifyMacroNameUpdateProfile(macroLevel, macroType, oldname, newname);
}

void myQQuickView::deleteMacroUpdateProfile(const QString &macroName)
{
    macroLibrary->deleteMacroUpdateProfile(macroName);
}

bool myQQuickView::mouseSaveGundata(const QVariant &index, const QVariantList &src6)
{
    return gunTable->mouseSaveGundata(index, src6);
}

bool myQQuickView::modifyGundata(int modifyType, const QVariantList &src6)
{
    return gunTable->modifyGundata(modifyType, src6);
}

QVariantList myQQuickView::getGunData(const QVariant &name)
{
    return gunTable->getGunData(name);
}
QStringList myQQuickView::getGunDataKey()
{
    return gunTable->getGunDataKey();
}

QStringList myQQuickView::getLangStrings(const QString &typeStr, const QString &langCode)
{
    return languageStrings->getLangStrings(typeStr, langCode);
}

bool myQQuickView::autostartEnabled()
{
    return Autostart::forThisProgram().isEnabled();
}

bool myQQuickView::setAutostartEnabled(bool enabled)
{
    constexpr int autostartFailedText = 15; // in the systemSetting group
    if (Autostart::forThisProgram().setEnabled(enabled))
        return true;
    // The texts in the user's language, English where the file lacks them.
    const QString language = settings->getGlobalData(QStringLiteral("common/language")).toString();
    const QString title =
        languageStrings->getLangStrings(QStringLiteral("warningAssigment"), language).value(0);
    const QString text = languageStrings->getLangStrings(QStringLiteral("systemSetting"), language)
                             .value(autostartFailedText);
    if (SettingsDialogs *dialogs = settings->dialogs())
        dialogs->warning(
            title.isEmpty() ? QStringLiteral("Warning") : title,
            text.isEmpty() ? QStringLiteral("Kairo could not change its autostart entry") : text);
    return false;
}

QString myQQuickView::loadMacroFile(int macroLevel, int selectType)
{
    return macroExchange->loadMacroFile(macroLevel, selectType);
}

void myQQuickView::saveMacroFile(int macroLevel, const QString &macroName)
{
    macroExchange->saveMacroFile(macroLevel, macroName);
}

QString myQQuickView::loadMacroFile_batch()
{
    return macroExchange->loadMacroFile_batch();
}
QStringList myQQuickView::getSkippedLinks_batch()
{
    return macroExchange->skippedLinks();
}
void myQQuickView::loadMacroFile_sub_batch()
{
    macroExchange->loadMacroFile_sub_batch();
}

QStringList myQQuickView::getMacroFileName_batch(int macroLevel, int macroType)
{
    return macroExchange->getMacroFileName_batch(macroLevel, macroType);
}

void myQQuickView::getbatchPath()
{
    macroExchange->getbatchPath();
}

void myQQuickView::saveMacroFile_batch(int macroLevel, const QVariantList &macroFileName,
                                       const QVariantList &macroFileType)
{
    macroExchange->saveMacroFile_batch(macroLevel, macroFileName, macroFileType);
}

void myQQuickView::searchMacroFile_sub_batch(const QString &currentName, int currentLevel,
                                             int deleteLevel)
{
    macroExchange->searchMacroFile_sub_batch(currentName, currentLevel, deleteLevel);
}
