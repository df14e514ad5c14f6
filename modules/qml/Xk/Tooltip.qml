import QtQuick
import modules.qml

// Asks before something is deleted; btnIndex tells the opener what it asked about.
DialogFrame {
    id: tooltip

    property int btnIndex: -1
    property string message: "Confirm delete ?"
    property string okText: " OK "
    property string cancelText: "Cancel"

    signal tooltipClickOK(int btnIndex)

    title: "Delete"
    okButton: ok
    cancelButton: cancel

    Text {
        objectName: "tooltipMessage"
        x: 22
        y: 40
        text: tooltip.message
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        spacing: 16

        TextButton {
            id: cancel

            objectName: "tooltipCancel"
            text: tooltip.cancelText
            framed: true
            onClicked: tooltip.visible = false
        }
        TextButton {
            id: ok

            objectName: "tooltipOk"
            text: tooltip.okText
            framed: true
            onClicked: {
                tooltip.tooltipClickOK(tooltip.btnIndex);
                tooltip.visible = false;
            }
        }
    }
}
