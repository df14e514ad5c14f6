import QtQuick
import modules.qml

// Waits for one key from the input hook and shows its name; " OK " hands the
// key on. Nothing is handed on before a key has been pressed.
DialogFrame {
    id: capture

    property string promptText: "Press a key"
    property string okText: " OK "
    property string cancelText: "Cancel"
    property int usage: -1

    signal accepted(int usage)

    function open(caption: string): void {
        capture.title = caption;
        capture.usage = -1;
        capture.visible = true;
    }

    function keyPressed(usbCode: int): void {
        capture.usage = usbCode;
    }

    height: 130 + (scopeNote.visible ? scopeNote.height + 8 : 0)
    visible: false
    okButton: okButtonItem
    cancelButton: cancelButtonItem
    capturing: true

    Rectangle {
        x: 22
        y: 44
        width: capture.width - 44
        height: 26
        radius: 2
        color: Theme.colorGray0
        border.width: 1
        border.color: Theme.colorPrimary

        Text {
            objectName: "macroKeyCaptureText"
            anchors.centerIn: parent
            text: capture.usage < 0 ? capture.promptText : MacroLogic.keyName(capture.usage)
            color: capture.usage < 0 ? Theme.colorGray2 : Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    CaptureScopeNote {
        id: scopeNote

        objectName: "macroKeyCaptureScopeNote"
        x: 22
        y: 78
        width: capture.width - 44
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        spacing: 16

        TextButton {
            id: cancelButtonItem

            objectName: "macroKeyCaptureCancel"
            text: capture.cancelText
            framed: true
            onClicked: capture.visible = false
        }
        TextButton {
            id: okButtonItem

            objectName: "macroKeyCaptureOk"
            text: capture.okText
            framed: true
            enabled: capture.usage >= 0
            onClicked: {
                capture.visible = false;
                capture.accepted(capture.usage);
            }
        }
    }
}
