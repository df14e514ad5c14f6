import QtQuick
import modules.qml

// A key combination for one button: the keys held down together while the
// dialog is open. A key pressed after every key was let go starts a new
// combination, so a slip of the finger is fixed by pressing again.
DialogFrame {
    id: dialog

    property var labels: []
    property var code: [2, 0, 0, 0]
    property var pressed: []
    property var held: []
    readonly property string codeHex: MacroLogic.codeToHex(dialog.code)
    readonly property bool hasKeys: Number(dialog.code[1]) !== 0 || Number(dialog.code[2]) !== 0
                                    || Number(dialog.code[3]) !== 0

    signal chosen(var code)

    function open(current: var) {
        const isGroup = current && Number(current[0]) === 2
        dialog.code = isGroup ? [2, Number(current[1]), Number(current[2]), Number(current[3])]
                              : [2, 0, 0, 0]
        dialog.pressed = []
        dialog.held = []
        dialog.visible = true
    }

    function close() {
        dialog.visible = false
        dialog.held = []
    }

    function clear() {
        dialog.pressed = []
        dialog.code = [2, 0, 0, 0]
    }

    // kind 1 is the combination; the fire dialog takes kind 0.
    function detectKeyboard(isDown: bool, usbCode: int, kind: int) {
        if (kind !== 1 || !dialog.visible)
            return
        if (!isDown) {
            dialog.held = dialog.held.filter(u => u !== usbCode)
            return
        }
        // Held keys repeat their press; unknown usages have no name to show.
        if (dialog.held.indexOf(usbCode) >= 0 || MacroLogic.keyName(usbCode) === "")
            return
        if (dialog.held.length === 0)
            dialog.pressed = []
        dialog.held = dialog.held.concat([usbCode])
        if (dialog.pressed.indexOf(usbCode) < 0)
            dialog.pressed = dialog.pressed.concat([usbCode])
        dialog.code = MacroLogic.groupCode(dialog.pressed)
    }

    objectName: "groupKeyAssigment"
    visible: false
    width: 427
    height: 176 + (scopeNote.visible ? scopeNote.height + 8 : 0)
    title: Texts.label(dialog.labels, 2, "Group Function")
    okButton: okButtonItem
    cancelButton: cancelButtonItem
    capturing: true

    Text {
        x: 22
        y: 42
        text: Texts.label(dialog.labels, 55, "Press the keys of the combination")
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Rectangle {
        x: 22
        y: 70
        width: dialog.width - 44 - clearButton.width - 12
        height: 28
        radius: 2
        color: Theme.colorGray0
        border.width: 1
        border.color: Theme.colorPrimary

        Text {
            objectName: "groupKeys"
            anchors.fill: parent
            anchors.leftMargin: 8
            anchors.rightMargin: 8
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            text: MacroLogic.groupText(dialog.code)
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: "Combination " + text
        }
    }

    TextButton {
        id: clearButton

        objectName: "groupClear"
        x: dialog.width - 22 - width
        y: 70
        height: 28
        text: Texts.label(dialog.labels, 56, "Clear")
        framed: true
        Accessible.name: "Clear the combination"
        onClicked: dialog.clear()
    }

    CaptureScopeNote {
        id: scopeNote

        objectName: "groupScopeNote"
        x: 22
        y: 106
        width: dialog.width - 44
    }

    Text {
        objectName: "groupCodeHex"
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

            objectName: "groupCancel"
            text: Texts.label(dialog.labels, 59, "Cancel")
            framed: true
            Accessible.name: "Cancel the combination"
            onClicked: dialog.close()
        }
        TextButton {
            id: okButtonItem

            objectName: "groupOk"
            text: Texts.label(dialog.labels, 58, " OK ")
            framed: true
            enabled: dialog.hasKeys
            Accessible.name: "Use this combination"
            onClicked: {
                // Chosen before closing: the page still knows which button is meant.
                dialog.chosen(MacroLogic.hexToCode(dialog.codeHex))
                dialog.close()
            }
        }
    }
}
