import QtQuick
import modules.qml

// Shown where keys are recorded or captured, while Kairo sees only the keys
// typed into its own window: says so and why.
Text {
    objectName: "captureScopeNote"
    visible: Capture.windowOnly
    text: Capture.noteText
    wrapMode: Text.WordWrap
    color: Theme.colorPrimary
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontMinSize
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}
