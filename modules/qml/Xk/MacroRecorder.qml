import QtQuick
import modules.qml

// Records keys and mouse buttons into the selected macro, with the pauses
// between them when asked. The file follows every event, but the mouse gets
// the macro once, at Stop: a re-send per key would keep the mouse busy.
Item {
    id: recorder

    required property MacroActionPanel actions
    // The editor's texts, already in the shown language.
    property var texts: []

    property bool recording: false
    property bool recordedUnsent: false
    // 10 ms ticks since the last recorded action, and when that was.
    property int ticks: 0
    property real tickStart: 0

    readonly property real rowWidth: recordRow.width

    signal starting()
    // The recording ended with actions the mouse has not had yet.
    signal recorded(string name)

    height: 52

    function start(): bool {
        if (!recorder.actions.hasMacro)
            return false;
        recorder.starting();
        recorder.restartTicks();
        recorder.recording = true;
        return true;
    }

    function stop(): void {
        recordTick.stop();
        recorder.recording = false;
        if (recorder.recordedUnsent && recorder.actions.hasMacro)
            recorder.recorded(recorder.actions.macro.textValue);
        recorder.recordedUnsent = false;
    }

    // A save during the recording waits for Stop; says whether it was held.
    function holdSave(): bool {
        if (recorder.recording)
            recorder.recordedUnsent = true;
        return recorder.recording;
    }

    function restartTicks(): void {
        recorder.ticks = 0;
        recorder.tickStart = Date.now();
        recordTick.restart();
    }

    // The tick timer of a scene that draws nothing may fire late or not at
    // all (its timers follow the frames), so the count comes from the clock.
    function countTicks(): void {
        recorder.ticks = Math.floor((Date.now() - recorder.tickStart) / 10);
    }

    function record(usage: int, isDown: bool): void {
        if (!recorder.recording || !recorder.actions.canAdd())
            return;
        const next = recorder.actions.lines.slice();
        recorder.countTicks();
        if (next.length > 0 && delayBox.isSelect)
            next.push(MacroLogic.delayLine(recorder.ticks * 10));
        recorder.restartTicks();
        next.push(MacroLogic.pressLine(usage, isDown));
        if (recorder.actions.saveLines(next))
            recorder.actions.showEnd();
    }

    // Screen coordinates; a click on Kairo itself (Stop Record above all)
    // belongs to the editing, not to the macro.
    function recordMouse(isDown: bool, buttonCode: int, x: int, y: int): void {
        if (buttonCode < 0xF0 || buttonCode > 0xF2 || recorder.insideWindow(x, y))
            return;
        recorder.record(buttonCode, isDown);
    }

    // The window's own size: its content item may keep the first size.
    function insideWindow(x: int, y: int): bool {
        const win = recorder.Window.window;
        if (!win)
            return false;
        const origin = win.contentItem.mapToGlobal(0, 0);
        return x >= origin.x && y >= origin.y && x < origin.x + win.width
            && y < origin.y + win.height;
    }

    Timer {
        id: recordTick

        interval: 10
        repeat: true
        onTriggered: recorder.countTicks()
    }

    Row {
        id: recordRow

        spacing: 24

        TextButton {
            objectName: "macroRecord"
            anchors.verticalCenter: parent.verticalCenter
            text: recorder.recording ? recorder.texts[5] : recorder.texts[8]
            textColor: recorder.recording ? Theme.colorAccent : Theme.fontColor
            framed: true
            enabled: recorder.actions.hasMacro
            onClicked: recorder.recording ? recorder.stop() : recorder.start()
        }
        CheckBox {
            id: delayBox

            objectName: "macroDelay"
            anchors.verticalCenter: parent.verticalCenter
            textValue: recorder.texts[9]
            isSelect: true
            Accessible.name: recorder.texts[9]
        }
    }

    CaptureScopeNote {
        objectName: "macroRecordScopeNote"
        y: 30
        width: recorder.width
        maximumLineCount: 2
        elide: Text.ElideRight
    }
}
