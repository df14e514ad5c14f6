import QtQuick
import modules.qml

// Lies behind overlays: dims the frame for dialogs, drags the window like the
// background does, and takes presses away from the pages under it.
Rectangle {
    id: mask

    property bool dimmed: false

    signal pressedAt(real x, real y)
    signal draggedBy(real dx, real dy)

    objectName: "mainMask"
    color: dimmed ? Theme.maskColor : Theme.colorTransparent

    MouseArea {
        property real pressX: 0
        property real pressY: 0

        anchors.fill: parent
        // Under a dialog the pages must not light up as the pointer passes.
        hoverEnabled: mask.dimmed
        onPressed: function(mouse) {
            pressX = mouse.x
            pressY = mouse.y
            mask.pressedAt(mouse.x, mouse.y)
        }
        onPositionChanged: function(mouse) {
            if (pressed)
                mask.draggedBy(mouse.x - pressX, mouse.y - pressY)
        }
        onWheel: function(wheel) { wheel.accepted = true }
    }
}
