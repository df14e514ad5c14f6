import QtQuick
import modules.qml

// Every text of the frame and its pages in one language: read once at the
// first start and again, all at once, when the top bar's list picks another
// language. The pages take their texts through bindings, so what they hold
// (a value edited but not saved, the Save button's mark) stays as it is.
QtObject {
    id: loader

    // The scene's root, with its language lists and pages.
    property var scene: null
    // The notice above the bottom bar, which keeps its own texts.
    property var notice: null

    readonly property var groups: ["keyMatrix", "keyAssigment", "dpiSetting", "lightControl",
        "macroEditor", "systemSetting", "gunControl", "profile", "keyCode", "warningAssigment",
        "other", "capture", "device", "mouse"]

    function load() {
        const f = loader.scene
        const lists = {}
        for (const group of loader.groups)
            lists[group] = f.view.getLangStrings(group, f.language)
        if (lists.keyMatrix.length > 0)
            f.keyMatrixLang = lists.keyMatrix
        f.keyAssigmentLang = lists.keyAssigment
        f.lightControlLang = lists.lightControl
        f.macroEditorLang = lists.macroEditor
        f.gunControlLang = lists.gunControl
        f.profileLang = lists.profile
        f.keyCodeLang = lists.keyCode
        MacroLogic.setKeyNames(f.keyCodeLang)
        f.warningAssigmentLang = lists.warningAssigment
        f.otherLang = lists.other
        f.deviceLang = lists.device
        loader.notice.texts = lists.mouse
        if (lists.dpiSetting.length > 0)
            f.dpiSettingMain.dpiSettingLang = lists.dpiSetting
        if (lists.systemSetting.length > 0)
            f.systemSettingMain.systemSettingLang = lists.systemSetting
        f.url = Texts.label(f.otherLang, 8, f.url)
        f.reportRateMain.labelText = Texts.label(f.otherLang, 9, f.reportRateMain.labelText)
        Capture.load(f.view, lists.capture)
    }

    // index: the position in the top bar's list. Stored first, so that the
    // native side's texts (tray, dialogs, the DPI-switch balloon) follow.
    function change(index: int) {
        const f = loader.scene
        const code = SceneLogic.languageCode(index)
        if (code === "" || code === f.language)
            return
        f.language = code
        f.setLangIndex(code)
        f.view.setGlobalData("common/language", code)
        loader.load()
    }
}
