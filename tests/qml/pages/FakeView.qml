import QtQuick

// Stands in for ui_View: profile, factory profile and application values in
// plain objects, and every call kept with its arguments. Values come back as
// the settings store hands them to the scene: whatever was put in, so tests
// that fill these objects with text see what a reloaded profile gives.
QtObject {
    id: fake

    property var profile: ({})
    property var factory: ({})
    property var application: ({})
    property var calls: []

    function record(name, args) {
        calls.push({ name: name, args: Array.prototype.slice.call(args) })
    }

    // Arguments of every call of that name, oldest first.
    function callsOf(name) {
        return calls.filter(c => c.name === name).map(c => c.args)
    }

    function lastArgs(name) {
        const found = callsOf(name)
        return found.length > 0 ? found[found.length - 1] : undefined
    }

    // Names of the calls that reach the mouse or the profile.
    function writes() {
        return calls.filter(c => c.name.startsWith("set") || c.name.startsWith("mouseSet"))
            .map(c => c.name)
    }

    function clear() {
        calls = []
    }

    function getGlobalData(key) {
        record("getGlobalData", arguments)
        return application[key]
    }
    function getData(key, isRecovery) {
        record("getData", arguments)
        return (isRecovery ? factory : profile)[key]
    }
    function getDataList(key, isRecovery) {
        record("getDataList", arguments)
        const list = (isRecovery ? factory : profile)[key]
        return list === undefined ? [] : list
    }
    function setData(key, data) {
        record("setData", arguments)
        profile[key] = data
    }
    function setDataList(key, datalist) {
        record("setDataList", arguments)
        profile[key] = datalist
    }

    function mouseSetDpi(dpiCount, sensorType, dpiValueArray, dpiEnableArray) {
        record("mouseSetDpi", arguments)
    }
    function mouseSetRGBColor(type, src24) { record("mouseSetRGBColor", arguments) }
    function mouseSetCursorSpeed(cursorSpeed) { record("mouseSetCursorSpeed", arguments) }
    function mouseSetDoubleClickSpeed(speed) { record("mouseSetDoubleClickSpeed", arguments) }
    function mouseSetVerticalScrollLines(lines) { record("mouseSetVerticalScrollLines", arguments) }
    function mouseSetLodValue(rate, en) { record("mouseSetLodValue", arguments) }

    // ---- what the desktop takes, and the autostart entry ----
    property var pointerSupport: ({ cursorSpeed: true, doubleClick: true, wheelLines: true,
                                    desktop: "KDE" })
    property bool autostartFile: false
    property bool autostartWritable: true

    function pointerSettingsSupport() {
        record("pointerSettingsSupport", arguments)
        return pointerSupport
    }
    function autostartEnabled() { return autostartFile }
    function setAutostartEnabled(enabled) {
        record("setAutostartEnabled", arguments)
        if (autostartWritable)
            autostartFile = enabled
        return autostartWritable
    }

    // ---- button page: key matrices, macro slots, the macro library, guns ----
    // Library folders by path ("" the top, "A/B" folder B inside A), each a
    // list of [name, type] with type 1 a folder; macro files by name, as
    // loadMacroIni gives them (action lines, then the repeat count).
    property var macroFolders: ({ "": [] })
    property var macroFiles: ({})
    property var macroSelect: ["", "", "", "", ""]
    property int macroLevel: 0
    // Gun records by position: [name, key, period, X, Y, times].
    property var guns: []

    function mouseGetKeydefine(mouseMode, index, isRecovery) {
        record("mouseGetKeydefine", arguments)
        const key = (Number(mouseMode) === 0 ? "mouseKeyMatrix/" : "mouseKeyMatrix2/") + index
        const list = (isRecovery ? factory : profile)[key]
        return list === undefined ? [] : list
    }
    function mouseSetKeyMatrix(mouseMode, src64, src64_2, isSendData, otherParam) {
        record("mouseSetKeyMatrix", arguments)
    }
    // What the mouse side answers: whether a block fits, whether the mouse
    // takes it, and what becomes of an action.
    property bool macroFitsAnswer: true
    property bool mouseTakes: true
    property string actionOutcome: "done"
    function mouseSendMacroData(macroData, macroIndex) {
        record("mouseSendMacroData", arguments)
        return mouseTakes
    }
    function macroFits(macroData) {
        record("macroFits", arguments)
        return macroFitsAnswer
    }
    function beginMouseAction() { record("beginMouseAction", arguments) }
    function endMouseAction() {
        record("endMouseAction", arguments)
        return actionOutcome
    }
    function setMacroSelectName(name1, name2, name3, name4, name5) {
        record("setMacroSelectName", arguments)
        macroSelect = [name1, name2, name3, name4, name5]
    }
    function setMacroLevel(level) {
        record("setMacroLevel", arguments)
        macroLevel = level
    }
    function macroAttribute(entries, att) {
        return (entries || []).map(e => att === 0 ? String(e[1]) : att === 1 ? String(e[1] === 1)
                                        : att === 2 ? "20" : String(e[0]))
    }
    function getNameList(type) {
        record("getNameList", arguments)
        return macroAttribute(macroFolders[""], 4)
    }
    function getMacroList_Att(att) {
        record("getMacroList_Att", arguments)
        return macroAttribute(macroFolders[""], att)
    }
    function getMacroSubList_Att(att, name) {
        record("getMacroSubList_Att", arguments)
        const path = macroSelect.slice(0, Math.max(0, macroLevel - 1)).concat([name]).join("/")
        return macroAttribute(macroFolders[path], att)
    }
    function loadMacroIni(macroLevel, name) {
        record("loadMacroIni", arguments)
        const stored = macroFiles[name]
        return stored === undefined ? [] : stored
    }
    function getGunData(name) {
        record("getGunData", arguments)
        const gun = guns[Number(name)]
        return gun === undefined ? ["M416", "L-Click", "10", "0", "10", "0"] : gun
    }
    function deleteMacroUpdateProfile(macroName) { record("deleteMacroUpdateProfile", arguments) }
    function modifyMacroNameUpdateProfile(macroLevel, macroType, oldname, newname) {
        record("modifyMacroNameUpdateProfile", arguments)
        return true
    }
}
