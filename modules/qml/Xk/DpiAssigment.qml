pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The colour dialog of one DPI stage. Nothing reaches the mouse from here:
// the chosen colour goes back to the page, which sends it on Save.
DialogFrame {
    id: dialog

    property int stage: 0
    property string titleText: "Stage colour"
    property string okText: " OK "
    property string cancelText: "Cancel"
    property string redText: "R"
    property string greenText: "G"
    property string blueText: "B"
    readonly property string colorValue: colorPicker.colorValue

    signal colorChosen(int stage, string color)

    width: 380
    height: 262
    title: dialog.titleText + " " + (dialog.stage + 1)
    okButton: okButtonItem
    cancelButton: cancelButtonItem

    function open(stageIndex: int, color: string) {
        dialog.stage = stageIndex
        colorPicker.setColor(color)
        dialog.visible = true
    }

    function close() {
        colorPicker.closeFocus()
        dialog.visible = false
    }

    DpiColor {
        id: colorPicker
        objectName: "dpiColor"
        x: 20
        y: 44
        redText: dialog.redText
        greenText: dialog.greenText
        blueText: dialog.blueText
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        spacing: 16

        TextButton {
            id: cancelButtonItem

            objectName: "dpiColorCancel"
            text: dialog.cancelText
            framed: true
            Accessible.name: "Cancel the stage colour"
            onClicked: dialog.close()
        }
        TextButton {
            id: okButtonItem

            objectName: "dpiColorOk"
            text: dialog.okText
            framed: true
            Accessible.name: "Use this stage colour"
            onClicked: {
                // A field still being typed in counts.
                colorPicker.closeFocus()
                const color = colorPicker.colorValue
                dialog.close()
                dialog.colorChosen(dialog.stage, color)
            }
        }
    }
}
