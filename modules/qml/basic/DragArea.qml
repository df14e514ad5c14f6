import QtQuick

// A press here may drag the window: `dragged` comes with every motion while
// pressed and once more at the release, which a loaded machine may hand over
// without the last motion.
MouseArea {
    id: area

    signal dragged()

    onPositionChanged: {
        if (area.pressed)
            area.dragged()
    }
    onReleased: area.dragged()
}
