import QtQuick
import modules.qml

// The window's background: the background picture stretched over the frame.
// Frame pictures decode off the start-up path: the first frame shows only the
// start-up logo.
Image {
    source: Images.background
    asynchronous: true
    fillMode: Image.Stretch
    smooth: true
}
