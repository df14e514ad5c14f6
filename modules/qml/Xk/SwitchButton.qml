import QtQuick
import modules.qml

// An image button that stays selected; the owner clears the rest of its group.
Item {
    id: switchButton

    property string textValue
    property string textValue2
    property bool isSelect: false
    property int index: -1
    property int txtMarginL: 16
    property url source0: Images.modeButton
    property url source1: Images.modeButtonSelected
    property int btnWidth: 90
    property int btnHeight: 42
    property int txtIndex: 0

    signal btnClick(int index)

    function choose(): void {
        isSelect = true;
        btnClick(index);
    }

    width: btnWidth
    height: btnHeight
    Accessible.role: Accessible.Button
    Accessible.name: txtIndex === 1 ? textValue2 : textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: choose()
    activeFocusOnTab: true
    Keys.onPressed: event => KeyFocus.press(event, switchButton, () => switchButton.choose())

    FocusRing {}

    Image {
        width: switchButton.btnWidth
        height: switchButton.btnHeight
        source: switchButton.isSelect || area.containsMouse ? switchButton.source1 : switchButton.source0
        smooth: true
    }

    Text {
        objectName: "switchText"
        anchors.centerIn: parent
        visible: switchButton.txtIndex === 0
        text: switchButton.textValue
        color: area.containsMouse && Theme.keyCount > 6 ? Theme.colorPrimary : Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }

    Text {
        objectName: "switchText2"
        x: switchButton.txtMarginL
        anchors.verticalCenter: parent.verticalCenter
        width: switchButton.btnWidth - switchButton.txtMarginL - 4
        visible: switchButton.txtIndex === 1
        text: switchButton.textValue2
        wrapMode: Theme.langIndex === 0 ? Text.WordWrap : Text.NoWrap
        color: area.containsMouse ? Theme.colorPrimary : Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize - 1
    }

    MouseArea {
        id: area

        anchors.fill: parent
        hoverEnabled: true
        onClicked: switchButton.choose()
    }
}
