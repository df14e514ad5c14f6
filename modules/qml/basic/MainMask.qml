import QtQuick
import modules.qml

// Lies behind overlays: dims the frame for dialogs, drags the window like the
// background does, and takes presses away from the pages under it.
Rectangle {
    id: mask

    property bool dimmed: false

    signal pressedAt(real x, real y)
    signal dragged()

    objectName: "mainMask"
    color: dimmed ? Theme.maskColor : Theme.colorTransparent

    DragArea {
        anchors.fill: parent
        // Under a dialog the pages must not light up as the pointer passes.
        hoverEnabled: mask.dimmed
        onPressed: function(mouse) { mask.pressedAt(mouse.x, mouse.y) }
        onDragged: mask.dragged()
        onWheel: function(wheel) { wheel.accepted = true }
    }
}
