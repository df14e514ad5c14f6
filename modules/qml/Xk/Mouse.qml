pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The mouse seen from above with a numbered badge on each of its buttons.
// Only the first keyCount badges show; a click on one asks the page to
// select that button.
Item {
    id: mouse

    property int keyCount: 14
    property int selectedButton: -1
    // What each button does, as the button list names it.
    property var buttonTexts: []
    property int hoveredButton: -1
    // Badge centres on the 420 x 250 picture, buttons 1 to 14.
    readonly property var badgeCentres: [
        Qt.point(180, 70), Qt.point(240, 70), Qt.point(210, 42), Qt.point(126, 108),
        Qt.point(126, 145), Qt.point(210, 92.5), Qt.point(210, 112.5), Qt.point(126, 180),
        Qt.point(168, 36), Qt.point(252, 36), Qt.point(294, 108), Qt.point(294, 145),
        Qt.point(210, 137), Qt.point(292, 183)]

    signal buttonClicked(int index)

    width: 420
    height: 250

    ShownImage {
        id: picture

        objectName: "mousePicture"
        anchors.fill: parent
        picture: Images.mousePicture
        fillMode: Image.PreserveAspectFit
    }

    Repeater {
        id: badges

        model: mouse.badgeCentres.length

        delegate: Rectangle {
            id: badge

            required property int index
            readonly property bool isSelected: index === mouse.selectedButton

            objectName: "mouseButton" + index
            visible: index < mouse.keyCount
            width: 18
            height: 18
            radius: 9
            x: mouse.badgeCentres[index].x * mouse.width / 420 - width / 2
            y: mouse.badgeCentres[index].y * mouse.height / 250 - height / 2
            color: isSelected ? Theme.colorPrimary : Theme.colorGray0
            opacity: isSelected || area.containsMouse ? 1.0 : 0.88
            border.width: 1.5
            border.color: area.containsMouse && !isSelected ? Theme.fontColor : Theme.colorPrimary
            Accessible.role: Accessible.Button
            Accessible.name: "Button " + (index + 1)
            Accessible.description: mouse.buttonTexts[index] ?? ""
            Accessible.selected: isSelected
            Accessible.onPressAction: mouse.buttonClicked(index)

            Text {
                anchors.centerIn: parent
                text: badge.index + 1
                color: badge.isSelected ? Theme.colorGray0 : Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMinSize
                font.bold: true
            }

            MouseArea {
                id: area

                anchors.fill: parent
                anchors.margins: -3
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: mouse.buttonClicked(badge.index)
                onContainsMouseChanged: {
                    if (containsMouse)
                        mouse.hoveredButton = badge.index
                    else if (mouse.hoveredButton === badge.index)
                        mouse.hoveredButton = -1
                }
            }
        }
    }

    Rectangle {
        id: tip

        readonly property Item badge: mouse.hoveredButton >= 0 ? badges.itemAt(mouse.hoveredButton) : null

        objectName: "mouseTip"
        visible: badge !== null && (mouse.buttonTexts[mouse.hoveredButton] ?? "") !== ""
        x: badge ? Math.max(0, Math.min(mouse.width - width, badge.x + badge.width / 2 - width / 2)) : 0
        y: badge ? badge.y - height - 4 : 0
        z: 10
        width: tipText.implicitWidth + 16
        height: tipText.implicitHeight + 8
        radius: 3
        color: Theme.colorGray0
        border.width: 1
        border.color: Theme.colorPrimary

        Text {
            id: tipText

            objectName: "mouseTipText"
            anchors.centerIn: parent
            text: mouse.hoveredButton >= 0 ? mouse.hoveredButton + 1 + ": " + (mouse.buttonTexts[mouse.hoveredButton] ?? "") : ""
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize + 1
        }
    }
}
