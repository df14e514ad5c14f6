import QtQuick

// The profile panel's slots on top of the shared fake view. Name lists are
// kept by type as the store keeps them: a list of one name reads back with
// the placeholder after it.
FakeView {
    property var nameLists: ({})
    // What the import file dialog answers: true for a chosen file.
    property bool importChosen: true

    function getNameList(type) {
        record("getNameList", arguments)
        const list = nameLists[type] || []
        return list.length === 1 ? [list[0], "loaderzumbek"] : list.slice()
    }
    function updataNameList(type, nameList) {
        record("updataNameList", arguments)
        nameLists[type] = Array.from(nameList, String)
        return true
    }
    function loadProfile(profile) {
        record("loadProfile", arguments)
        return importChosen
    }
    function saveProfile(profile) { record("saveProfile", arguments) }
    function resetProfile(profile) { record("resetProfile", arguments) }
}
