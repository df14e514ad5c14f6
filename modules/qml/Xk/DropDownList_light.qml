pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// A list that is always open: rows of rectH, at most showCount of them in
// view, the rest reached by scrolling the list itself.
Item {
    id: dropDown

    property bool isDrop: true
    property int count: 0
    property ListModel mdItems: ListModel {}
    property int currentSelect: 2
    property string textValue
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    property int showCount: 5
    property int rectH: 35
    property alias dropdownlist: list

    signal btnClick
    signal valueChange(int index)
    signal btnContainMS(int index)
    signal dragSignal(bool isDrag)

    // Nothing to close; owners may close every list alike.
    function closeMenu(): void {
    }

    function choose(row: int): void {
        currentSelect = row;
        valueChange(row);
    }

    function keyPressed(event: var): void {
        const move = { [Qt.Key_Up]: -1, [Qt.Key_Down]: 1 }[event.key];
        if (move === undefined || KeyFocus.keysCaptured) {
            KeyFocus.press(event, dropDown, null);
            return;
        }
        event.accepted = true;
        const row = Math.max(0, Math.min(mdItems.count - 1, currentSelect + move));
        if (row !== currentSelect) {
            choose(row);
            list.positionViewAtIndex(row, ListView.Contain);
        }
    }

    width: 144
    height: Math.min(count, showCount) * rectH
    activeFocusOnTab: true
    Accessible.role: Accessible.List
    Accessible.name: objectName
    Accessible.focusable: true
    Keys.onPressed: event => dropDown.keyPressed(event)

    FocusRing {}

    Rectangle {
        anchors.fill: parent
        color: Theme.colorGray1
        border.width: 1
        border.color: dropDown.borderColor
    }

    ListView {
        id: list

        objectName: "dropList"
        anchors.fill: parent
        clip: true
        model: dropDown.mdItems
        boundsBehavior: Flickable.StopAtBounds
        onMovementStarted: dropDown.dragSignal(true)
        onMovementEnded: dropDown.dragSignal(false)

        delegate: Rectangle {
            id: row

            required property int index
            required property string textValue
            readonly property bool isCurrent: index === dropDown.currentSelect

            objectName: "row" + index
            width: list.width
            height: dropDown.rectH
            color: rowArea.containsMouse ? Theme.colorPrimary : isCurrent ? dropDown.bgColor : Theme.colorGray1
            Accessible.role: Accessible.ListItem
            Accessible.name: textValue
            Accessible.selected: isCurrent
            Accessible.onPressAction: dropDown.choose(index)

            Text {
                anchors.centerIn: parent
                anchors.horizontalCenterOffset: dropDown.horizontalOffset
                text: row.textValue
                color: rowArea.containsMouse ? Theme.colorGray0 : row.isCurrent ? Theme.colorPrimary : Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }

            MouseArea {
                id: rowArea

                width: row.width - 15
                height: row.height
                hoverEnabled: true
                onEntered: dropDown.btnContainMS(row.index)
                onExited: dropDown.btnContainMS(row.index)
                onClicked: dropDown.choose(row.index)
            }
        }
    }

    Rectangle {
        x: dropDown.width - 5
        y: list.visibleArea.yPosition * list.height
        width: 3
        height: list.visibleArea.heightRatio * list.height
        radius: 1
        visible: list.contentHeight > list.height
        color: Theme.colorGray6
    }
}
