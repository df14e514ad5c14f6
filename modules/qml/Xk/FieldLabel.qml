import QtQuick
import modules.qml

// The name in front of a value field.
Text {
    width: 72
    color: Theme.colorGray3
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    elide: Text.ElideRight
}
