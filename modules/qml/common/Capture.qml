pragma Singleton
import QtQuick

// How far the key capture reaches, as the native side chose it at start-up
// (ui_View.captureScope()), and the texts of the language group "capture".
// The root loads both with the languages; the notes read them here.
QtObject {
    id: capture

    readonly property var englishTexts: ["Recording takes keys typed into Kairo only",
        "Wayland session without access to the keyboards' event nodes",
        "no access to /dev/input/event*"]
    // Positions of the reasons' texts in the group.
    readonly property var reasonPositions: ({ "wayland-without-event-nodes": 1,
                                              "no-event-nodes": 2 })

    property string scope: "global"
    property string reason: ""
    property var texts: []

    readonly property bool windowOnly: scope === "window"
    readonly property string noteText: {
        const position = capture.reasonPositions[capture.reason]
        return position === undefined ? capture.text(0)
                                      : capture.text(0) + ": " + capture.text(position)
    }

    function text(i: int): string {
        const translated = capture.texts ? capture.texts[i] : undefined
        return translated ? String(translated) : capture.englishTexts[i]
    }

    function load(view: var, groupTexts: var): void {
        capture.texts = groupTexts
        if (!view || typeof view.captureScope !== "function")
            return
        const found = view.captureScope()
        capture.scope = String(found.scope)
        capture.reason = String(found.reason)
    }
}
