pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// Binds a macro of the library to one button, with the way it runs.
// Folders are shown for orientation; only macros can be picked.
DialogFrame {
    id: dialog

    property var view: null
    property var labels: []
    property int button: 0
    property var entries: []
    property int selectedIndex: -1
    property int runMode: 0
    readonly property var selectedEntry: dialog.selectedIndex >= 0
                                         && dialog.selectedIndex < dialog.entries.length
                                         ? dialog.entries[dialog.selectedIndex] : null
    readonly property string codeHex: MacroLogic.codeToHex(MacroLogic.macroCode(dialog.runMode,
                                                                                dialog.button))

    signal chosen(var entry, int runMode)

    // Opens on the macro the button already plays, if it is still in the library.
    function open(buttonIndex: int, current: var, currentName: string) {
        dialog.button = buttonIndex
        const library = MacroTree.readTree(dialog.view, SceneLogic.storedList)
        dialog.entries = library
        dialog.selectedIndex = -1
        const isMacro = current && Number(current[0]) === 4
        for (let i = 0; isMacro && i < dialog.entries.length; ++i) {
            if (dialog.entries[i].macroType === 0 && dialog.entries[i].textValue === currentName) {
                dialog.selectedIndex = i
                break
            }
        }
        dialog.runMode = isMacro ? Math.max(0, Math.min(2, Number(current[1]))) : 0
        dialog.visible = true
        if (dialog.selectedIndex >= 0)
            tree.positionViewAtIndex(dialog.selectedIndex, ListView.Contain)
    }

    function close() {
        dialog.visible = false
    }

    // A clicked RadioButton sets its own isSelect, so the group is drawn here.
    onRunModeChanged: showRunMode()
    Component.onCompleted: showRunMode()
    function showRunMode() {
        runMode0.isSelect = dialog.runMode === 0
        runMode1.isSelect = dialog.runMode === 1
        runMode2.isSelect = dialog.runMode === 2
    }

    function pick(index: int) {
        if (dialog.entries[index] && dialog.entries[index].macroType === 0)
            dialog.selectedIndex = index
    }

    objectName: "macroKeyAssigment"
    visible: false
    width: 560
    height: 340
    title: Texts.label(dialog.labels, 4, "Macro Function")
    okButton: okButtonItem
    cancelButton: cancelButtonItem

    Text {
        x: 22
        y: 40
        text: Texts.label(dialog.labels, 57, "Select a macro")
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Rectangle {
        x: 22
        y: 64
        width: 260
        height: 220
        radius: 2
        color: Theme.colorGray0
        border.width: 1
        border.color: Theme.colorGray1

        ListView {
            id: tree

            objectName: "macroTree"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: dialog.entries
            Accessible.role: Accessible.Tree
            Accessible.name: "Macro library"

            delegate: Rectangle {
                id: entryRow

                required property int index
                required property var modelData
                readonly property bool isFolder: modelData.macroType === 1
                readonly property bool isChosen: index === dialog.selectedIndex

                objectName: "macroEntry" + index
                width: tree.width
                height: 26
                color: isChosen ? Theme.colorGray1 : Theme.colorTransparent
                Accessible.role: Accessible.TreeItem
                Accessible.name: modelData.textValue
                Accessible.selected: isChosen
                Accessible.onPressAction: dialog.pick(index)

                Image {
                    id: icon

                    x: 8 + 16 * entryRow.modelData.level
                    anchors.verticalCenter: parent.verticalCenter
                    width: 16
                    height: 16
                    source: entryRow.isFolder ? Images.macroFolder : Images.macroFile
                    smooth: true
                    opacity: entryRow.isFolder ? 0.7 : 1.0
                }
                Text {
                    x: icon.x + icon.width + 6
                    width: entryRow.width - x - 6
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: entryRow.modelData.textValue
                    color: entryRow.isFolder ? Theme.colorGray2
                                             : entryRow.isChosen || entryArea.containsMouse
                                               ? Theme.colorPrimary : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: entryArea

                    anchors.fill: parent
                    enabled: !entryRow.isFolder
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dialog.pick(entryRow.index)
                }
            }
        }
    }

    Text {
        x: 300
        y: 64
        text: Texts.label(dialog.labels, 62, "Run mode")
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Column {
        x: 300
        y: 96
        spacing: 18

        RadioButton {
            id: runMode0

            objectName: "runMode0"
            index: 0
            txtIndex: 1
            textValue2: Texts.label(dialog.labels, 9, "Macro runs one-time after pressing the button")
            onBtnClick: (chosenMode) => { dialog.runMode = chosenMode }
        }
        RadioButton {
            id: runMode1

            objectName: "runMode1"
            index: 1
            txtIndex: 1
            textValue2: Texts.label(dialog.labels, 10, "Macro runs endless loop until any button is pressed")
            onBtnClick: (chosenMode) => { dialog.runMode = chosenMode }
        }
        RadioButton {
            id: runMode2

            objectName: "runMode2"
            index: 2
            txtIndex: 1
            textValue2: Texts.label(dialog.labels, 11, "Macro runs endless loop until button is released")
            onBtnClick: (chosenMode) => { dialog.runMode = chosenMode }
        }
    }

    Text {
        objectName: "macroCodeHex"
        x: 22
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 14
        text: dialog.codeHex.toUpperCase()
        color: Theme.colorGray6
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        spacing: 16

        TextButton {
            id: cancelButtonItem

            objectName: "macroCancel"
            text: Texts.label(dialog.labels, 59, "Cancel")
            framed: true
            Accessible.name: "Cancel the macro"
            onClicked: dialog.close()
        }
        TextButton {
            id: okButtonItem

            objectName: "macroOk"
            text: Texts.label(dialog.labels, 58, " OK ")
            framed: true
            enabled: dialog.selectedEntry !== null
            Accessible.name: "Use this macro"
            onClicked: {
                // Chosen before closing: the page still knows which button is meant.
                dialog.chosen(dialog.selectedEntry, dialog.runMode)
                dialog.close()
            }
        }
    }
}
