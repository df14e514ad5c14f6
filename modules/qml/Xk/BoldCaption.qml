import QtQuick
import modules.qml

// The heading above a panel.
Text {
    color: Theme.fontColor
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    font.bold: true
}
