import QtQuick
import modules.qml

// The window's background: the background picture stretched over the frame.
// It is built behind the start-up logo, inside the scene's lock, and decodes
// there, so the frame never appears without it.
ShownImage {
    zoom: 1
    designSize: Qt.size(1280, 720)
    picture: Images.background
    fillMode: Image.Stretch
}
