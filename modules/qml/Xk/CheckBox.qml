import QtQuick
import modules.qml

// Text followed by a small box; a click anywhere near it toggles the box.
Item {
    id: checkBox

    property string textValue
    property bool isSelect: false
    property int index: -1
    property int gapValue: 8
    property color bgColor: Theme.colorTransparent
    property color borderColor: Theme.colorGray2

    signal btnClick(int index)

    function toggle(): void {
        isSelect = !isSelect;
        btnClick(index);
    }

    implicitWidth: label.implicitWidth + gapValue + box.width
    implicitHeight: Math.max(label.implicitHeight, box.height)
    Accessible.role: Accessible.CheckBox
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.onToggleAction: toggle()
    Accessible.onPressAction: toggle()
    Accessible.focusable: true
    activeFocusOnTab: true
    Keys.onPressed: event => KeyFocus.press(event, checkBox, () => checkBox.toggle())

    FocusRing {}

    Text {
        id: label

        anchors.verticalCenter: parent.verticalCenter
        text: checkBox.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Rectangle {
        id: box

        objectName: "checkBoxBox"
        x: label.implicitWidth + checkBox.gapValue
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        radius: 2
        color: checkBox.bgColor
        border.width: 1
        border.color: area.containsMouse ? Theme.colorPrimary : checkBox.borderColor

        Image {
            anchors.fill: parent
            visible: checkBox.isSelect
            source: Images.check
            smooth: true
        }
    }

    MouseArea {
        id: area

        anchors.fill: parent
        anchors.margins: -6
        hoverEnabled: true
        onClicked: checkBox.toggle()
    }
}
