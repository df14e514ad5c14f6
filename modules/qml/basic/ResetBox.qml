import QtQuick
import modules.qml

// Confirmation before everything goes back to the factory settings.
DialogFrame {
    id: box

    property string messageText: "Reset factory setting"
    property string okText: " OK "
    property string cancelText: "Cancel"

    signal accepted()
    signal cancelled()

    objectName: "resetBox"
    width: 427
    height: 102
    title: "Reset"
    okButton: ok
    cancelButton: cancel

    Text {
        x: 20
        y: 38
        text: box.messageText
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

            objectName: "resetCancel"
            text: box.cancelText
            framed: true
            Accessible.name: box.cancelText
            onClicked: box.cancelled()
        }
        TextButton {
            id: ok

            objectName: "resetOk"
            text: box.okText
            framed: true
            Accessible.name: "Reset factory setting"
            onClicked: box.accepted()
        }
    }
}
