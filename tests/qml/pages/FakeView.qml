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
}
