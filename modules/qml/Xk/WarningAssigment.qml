import QtQuick
import modules.qml

// The warning box of the button page and the macro editor: one message and
// an OK button. The opener decides what the message is.
DialogFrame {
    id: box

    property var warningAssigmentLang: []
    property string message

    signal closed()

    function open(text: string) {
        box.message = text
        box.visible = true
    }

    function close() {
        if (!box.visible)
            return
        box.visible = false
        box.closed()
    }

    objectName: "warningAssigment"
    visible: false
    width: Math.max(427, messageText.implicitWidth + 44)
    height: 112
    title: Texts.label(box.warningAssigmentLang, 0, "Warning")
    okButton: okButtonItem
    cancelButton: okButtonItem

    Text {
        id: messageText

        objectName: "warningMessage"
        x: 22
        y: 42
        text: box.message
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    TextButton {
        id: okButtonItem

        objectName: "warningOk"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        text: Texts.label(box.warningAssigmentLang, 4, " OK ")
        framed: true
        Accessible.name: "Close the warning"
        onClicked: box.close()
    }
}
