import QtQuick
import modules.qml

// The window's background: the background picture stretched over the frame.
Image {
    source: Images.background
    fillMode: Image.Stretch
    smooth: true
}
