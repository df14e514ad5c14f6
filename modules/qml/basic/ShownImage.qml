import QtQuick
import modules.qml

// A picture decoded at the size it is shown on the screen. The artwork is
// drawn for a maximised window on a large screen; decoded whole it would hold
// four times the pixels a design-size window shows, in main memory and again
// as a texture. Only for pictures whose size is set from outside: a size taken
// from the picture itself would follow its own decoding.
Image {
    // How much larger than its size the picture is drawn: the scene's zoom
    // for the pages, 1 for what fills the window itself.
    property real zoom: Images.shownZoom

    sourceSize.width: Math.max(1, Math.ceil(width * zoom))
    sourceSize.height: Math.max(1, Math.ceil(height * zoom))
    smooth: true
}
