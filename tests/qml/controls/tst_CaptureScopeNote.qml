import QtQuick
import QtTest
import modules.qml

// The note of the recorder and the key dialogs follows the scope the view
// reports: hidden while capture is global, the reason's text in the
// language's group, English where the group is empty, and the view's own
// text for a reason the scene does not know.
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

        function cleanup() {
            fakeView.answer = { scope: "global", reason: "", reasonText: "" }
            Capture.load(fakeView, [])
        }

        function test_note_data() {
            const german = ["Die Aufnahme erfasst nur Tasten, die in Kairo getippt werden",
                            "Wayland-Sitzung ohne Zugriff auf die Ereignisknoten der Tastaturen",
                            "kein Zugriff auf /dev/input/event*"]
            return [
                { tag: "global", scope: "global", reason: "", texts: german, shown: false,
                  text: german[0] },
                { tag: "Wayland, German", scope: "window", reason: "wayland-without-event-nodes",
                  texts: german, shown: true, text: german[0] + ": " + german[1] },
                { tag: "no nodes, English fallback", scope: "window", reason: "no-event-nodes",
                  texts: [], shown: true,
                  text: "Recording takes keys typed into Kairo only: no access to /dev/input/event*" },
                { tag: "unknown reason", scope: "window", reason: "later", reasonText: "why not",
                  texts: german, shown: true, text: german[0] + ": why not" },
                { tag: "nothing captured", scope: "none", reason: "", texts: [], shown: false,
                  text: "Recording takes keys typed into Kairo only" }
            ]
        }

        function test_note(data) {
            fakeView.answer = { scope: data.scope, reason: data.reason,
                                reasonText: data.reasonText || "" }
            Capture.load(fakeView, data.texts)
            const dialog = createTemporaryObject(fireComponent, scene, { visible: true })
            const note = findChild(dialog, "fireScopeNote")
            verify(note)
            compare(note.visible, data.shown)
            compare(note.text, data.text)
            compare(note.Accessible.name, data.text)
            // The dialog makes room for the note, and only for it.
            compare(dialog.height, data.shown ? 200 + note.height + 8 : 200)
            if (data.shown)
                verify(note.y + note.height <= findChild(dialog, "fireCodeHex").y)
        }

        function test_view_without_scope_keeps_texts() {
            Capture.load(null, ["Nur in Kairo"])
            compare(Capture.scope, "global")
            compare(Capture.text(0), "Nur in Kairo")
        }
    }
}
