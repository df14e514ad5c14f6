import QtQuick
import modules.qml

// The three tabs, right-aligned, 20 pixels apart. The BACKLIGHT tab's button
// stays hidden: its page exists but is not offered.
Item {
    id: row

    property int currentIndex: 0
    property var labels: ["MOUSE MACRO", "BACKLIGHT", "SETTINGS"]

    signal tabClicked(int index)

    Row {
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 20

        TabButton {
            objectName: "tab0"
            text: row.labels[0]
            isSelect: row.currentIndex === 0
            onClicked: row.tabClicked(0)
        }
        TabButton {
            objectName: "tab1"
            visible: false
            text: row.labels[1]
            isSelect: row.currentIndex === 1
            onClicked: row.tabClicked(1)
        }
        TabButton {
            objectName: "tab2"
            text: row.labels[2]
            isSelect: row.currentIndex === 2
            onClicked: row.tabClicked(2)
        }
    }
}
