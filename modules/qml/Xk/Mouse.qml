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
    // Badge centres on the 420 x 250 picture, buttons 1 to 14.
    readonly property var badgeCentres: [
        Qt.point(180, 70), Qt.point(240, 70), Qt.point(210, 42), Qt.point(126, 108),
        Qt.point(126, 145), Qt.point(210, 92.5), Qt.point(210, 112.5), Qt.point(126, 180),
        Qt.point(168, 36), Qt.point(252, 36), Qt.point(294, 108), Qt.point(294, 145),
        Qt.point(210, 137), Qt.point(292, 183)]

    signal buttonClicked(int index)

    width: 420
    height: 250

    Image {
        id: picture

        objectName: "mousePicture"
        anchors.fill: parent
        source: Images.mousePicture
        fillMode: Image.PreserveAspectFit
        smooth: true
    }

    Repeater {
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
            }
        }
    }
}
