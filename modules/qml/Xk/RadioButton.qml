import QtQuick
import modules.qml

// One choice of a group: a click selects it, the owner clears the others.
// Layout 1 shows textValue2 in a 180-pixel column, on as many lines as it
// needs in the language shown.
Item {
    id: radio

    property string textValue
    property string textValue2
    property bool isSelect: false
    property int index: -1
    property int txtIndex: 0
    property int gapValue: 16
    readonly property bool isRadio: true

    signal btnClick(int index)

    function choose(): void {
        isSelect = true;
        btnClick(index);
    }

    // The arrow keys choose the neighbour among the shown radio buttons
    // of the same parent, the group the owner draws.
    function chooseNeighbour(forward: bool): void {
        const group = [];
        const siblings = parent ? parent.children : [];
        for (let i = 0; i < siblings.length; ++i) {
            const c = siblings[i];
            if (c.visible && c.enabled && c.isRadio === true)
                group.push(c);
        }
        const at = group.indexOf(radio);
        const next = group[(at + (forward ? 1 : group.length - 1)) % group.length];
        if (!next || next === radio)
            return;
        next.forceActiveFocus(Qt.TabFocusReason);
        next.choose();
    }

    implicitWidth: label.x + (txtIndex === 1 ? label.width : label.implicitWidth)
    implicitHeight: Math.max(dot.height, label.height)
    Accessible.role: Accessible.RadioButton
    Accessible.name: txtIndex === 1 ? textValue2 : textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: choose()
    activeFocusOnTab: true
    Keys.onPressed: event => {
        const arrow = [Qt.Key_Left, Qt.Key_Up, Qt.Key_Right, Qt.Key_Down].indexOf(event.key);
        if (arrow >= 0 && !KeyFocus.keysCaptured) {
            radio.chooseNeighbour(arrow >= 2);
            event.accepted = true;
            return;
        }
        KeyFocus.press(event, radio, () => radio.choose());
    }

    FocusRing {}

    Rectangle {
        id: dot

        objectName: "radioDot"
        anchors.verticalCenter: parent.verticalCenter
        width: 10
        height: 10
        radius: 4
        color: Theme.colorGray3
        border.width: area.containsMouse && !radio.isSelect ? 1 : 0
        border.color: Theme.colorPrimary

        Rectangle {
            anchors.centerIn: parent
            width: 6
            height: 6
            radius: 3
            visible: radio.isSelect
            color: Theme.colorPrimary
        }
    }

    Text {
        id: label

        x: dot.width + radio.gapValue
        anchors.verticalCenter: parent.verticalCenter
        width: radio.txtIndex === 1 ? 180 : implicitWidth
        text: radio.txtIndex === 1 ? radio.textValue2 : radio.textValue
        wrapMode: radio.txtIndex === 1 ? Text.Wrap : Text.NoWrap
        color: area.containsMouse ? Theme.colorPrimary : Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: area

        anchors.fill: parent
        anchors.margins: -6
        hoverEnabled: true
        onClicked: radio.choose()
    }
}
