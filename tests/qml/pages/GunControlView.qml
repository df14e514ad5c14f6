import QtQuick

// The fake view with the gun store and the calls that reach the mouse for
// guns. Records are kept as the store hands them back: text.
FakeView {
    id: fake

    // A disk that takes no write: the table keeps what it had.
    property bool writesFail: false

    function mouseSaveGundata(index, src6) {
        record("mouseSaveGundata", arguments)
        if (!writesFail)
            guns[Number(index)] = src6.map(value => String(value))
        return !writesFail
    }
    function modifyGundata(modifyType, src6) {
        record("modifyGundata", arguments)
        return !writesFail
    }
    function mouseSendGundata(index, data) { record("mouseSendGundata", arguments) }
    function updataNameList(type, nameList) {
        record("updataNameList", arguments)
        return true
    }
    function setGlobalData(key, tmpdata) {
        record("setGlobalData", arguments)
        application[key] = tmpdata
    }
}
