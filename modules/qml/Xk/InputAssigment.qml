import QtQuick
import modules.qml

// Asks for a name: a title, one text field, " OK " and "Cancel". Return in
// the field counts as " OK ".
DialogFrame {
    id: dialog

    property string okText: " OK "
    property string cancelText: "Cancel"
    property alias text: field.text

    signal accepted(string text)

    function open(caption: string, startText: string): void {
        dialog.title = caption;
        field.text = startText;
        dialog.visible = true;
        field.forceActiveFocus();
        field.selectAll();
    }

    function accept(): void {
        const name = field.text;
        dialog.visible = false;
        field.focus = false;
        dialog.accepted(name);
    }

    function cancel(): void {
        dialog.visible = false;
        field.focus = false;
    }

    height: 130
    okButton: okButtonItem
    cancelButton: cancelButtonItem
    visible: false

    Rectangle {
        x: 22
        y: 44
        width: dialog.width - 44
        height: 26
        radius: 2
        color: Theme.colorGray0
        border.width: 1
        border.color: field.activeFocus ? Theme.colorPrimary : Theme.colorGray1

        TextInput {
            id: field

            objectName: "inputAssigmentField"
            anchors.fill: parent
            anchors.leftMargin: 6
            anchors.rightMargin: 6
            verticalAlignment: TextInput.AlignVCenter
            maximumLength: 40
            selectByMouse: true
            clip: true
            color: Theme.fontColor
            selectionColor: Theme.colorPrimary
            selectedTextColor: Theme.colorGray0
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.EditableText
            Accessible.name: dialog.title
            Keys.onReturnPressed: dialog.accept()
            Keys.onEnterPressed: dialog.accept()
            Keys.onEscapePressed: dialog.cancel()
        }
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        spacing: 16

        TextButton {
            id: cancelButtonItem

            objectName: "inputAssigmentCancel"
            text: dialog.cancelText
            framed: true
            onClicked: dialog.cancel()
        }
        TextButton {
            id: okButtonItem

            objectName: "inputAssigmentOk"
            text: dialog.okText
            framed: true
            onClicked: dialog.accept()
        }
    }
}
