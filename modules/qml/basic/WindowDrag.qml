import QtQuick

// Presses on empty parts of the window drag it: the compositor moves it
// where it can (Wayland); elsewhere the window follows the pointer. The
// frame and the device panel hand their own drags here too.
DragArea {
    id: area

    property var windowControl: null
    property bool movedBySystem: false

    signal pressedOnEmpty()

    // Off unless asked for: tests wait for it to know the press arrived.
    LoggingCategory {
        id: dragLog
        name: "kairo.window.drag"
        defaultLogLevel: LoggingCategory.Info
    }

    function begin() {
        area.movedBySystem = area.windowControl ? area.windowControl.startSystemMove() : false
        console.debug(dragLog, "drag begun", area.movedBySystem ? "by the compositor" : "by the pointer")
    }

    function follow() {
        if (!area.movedBySystem && area.windowControl)
            area.windowControl.followPointer()
    }

    onPressed: {
        area.pressedOnEmpty()
        area.begin()
    }
    onDragged: area.follow()
}
