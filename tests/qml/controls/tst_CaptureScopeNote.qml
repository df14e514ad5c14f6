import QtQuick
import QtTest
import modules.qml

// The note of the recorder and the key dialogs follows the scope the view
// reports: hidden while capture is global, else the reason's text in the
// language's group, English where the group is empty.
Item {
    id: scene

    width: 600
    height: 400

    QtObject {
        id: fakeView

        property var answer: ({})

        function captureScope(): var {
            return fakeView.answer
        }
    }

    Component {
        id: fireComponent

        FireKeyAssigment {
        }
    }

    TestCase {
        name: "CaptureScopeNote"
        when: windowShown

        function test_note_data() {
            const german = ["Die Aufnahme erfasst nur Tasten, die in Kairo getippt werden",
                            "Wayland-Sitzung ohne Zugriff auf die Ereignisknoten der Tastaturen"]
            return [
                { tag: "global", scope: "global", reason: "", texts: german, text: "" },
                { tag: "Wayland, German", scope: "window", reason: "wayland-without-event-nodes",
                  texts: german, text: german[0] + ": " + german[1] },
                { tag: "no nodes, English", scope: "window", reason: "no-event-nodes", texts: [],
                  text: "Recording takes keys typed into Kairo only: no access to /dev/input/event*" }
            ]
        }

        function test_note(data) {
            fakeView.answer = { scope: data.scope, reason: data.reason }
            Capture.load(fakeView, data.texts)
            const dialog = createTemporaryObject(fireComponent, scene, { visible: true })
            const note = findChild(dialog, "fireScopeNote")
            compare(note.visible, data.text !== "")
            if (data.text !== "")
                compare(note.Accessible.name, data.text)
            // The dialog makes room for the note, and only for it.
            compare(dialog.height, note.visible ? 200 + note.height + 8 : 200)
            verify(!note.visible || note.y + note.height <= findChild(dialog, "fireCodeHex").y)
        }
    }
}
