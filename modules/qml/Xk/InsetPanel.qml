import QtQuick
import modules.qml

// The sunken panel a list sits in.
Rectangle {
    radius: 3
    color: Theme.colorGray0
    border.width: 1
    border.color: Theme.panelBorder
}
