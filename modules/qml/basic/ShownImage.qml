import QtQuick
import modules.qml

// A picture decoded at the size it is shown on the screen. Every picture is
// rendered twice at build time: at its design size, and at twice that for a
// maximised window on a large screen. Where the design size is enough, the
// small one is read, so nothing is decoded large only to be scaled down.
// Only for pictures whose size is set from outside: a size taken from the
// picture itself would follow its own decoding.
Image {
    // The picture's path as Images names it (the large rendering).
    property string picture
    // How much larger than its size the picture is drawn: the scene's zoom
    // for the pages, 1 for what fills the window itself.
    property real zoom: Images.shownZoom
    // The size the picture was drawn for; the window's background is drawn
    // for the design's window and shown at the window's size.
    property size designSize: Qt.size(width, height)

    source: width * zoom <= designSize.width + 0.5 && height * zoom <= designSize.height + 0.5
            ? Images.designSized(picture) : picture
    sourceSize.width: Math.max(1, Math.ceil(width * zoom))
    sourceSize.height: Math.max(1, Math.ceil(height * zoom))
    smooth: true
}
