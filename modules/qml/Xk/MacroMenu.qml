pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// A context menu over its whole parent: a press anywhere outside the entries
// closes it. Entries are { key, text, enabled }; each is reachable as
// "menu" + key.
Item {
    id: menu

    property var entries: []

    signal chosen(string key)

    function openAt(px: real, py: real): void {
        box.x = Math.max(0, Math.min(px, menu.width - box.width));
        box.y = Math.max(0, Math.min(py, menu.height - box.height));
        menu.visible = true;
    }

    function close(): void {
        menu.visible = false;
    }

    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    visible: false
    z: 20

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onPressed: menu.close()
    }

    Rectangle {
        id: box

        width: 200
        height: entryColumn.height + 8
        radius: 3
        color: Theme.panelColor
        border.width: 1
        border.color: Theme.panelBorder
        Accessible.role: Accessible.PopupMenu

        Column {
            id: entryColumn

            y: 4
            width: parent.width

            Repeater {
                model: menu.entries

                delegate: Item {
                    id: entry

                    required property var modelData

                    objectName: "menu" + entry.modelData.key
                    width: entryColumn.width
                    height: 26
                    enabled: entry.modelData.enabled !== false
                    opacity: enabled ? 1.0 : 0.4
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: entry.modelData.text
                    Accessible.onPressAction: entry.choose()

                    function choose(): void {
                        if (!entry.enabled)
                            return;
                        menu.close();
                        menu.chosen(entry.modelData.key);
                    }

                    Rectangle {
                        anchors.fill: parent
                        anchors.leftMargin: 1
                        anchors.rightMargin: 1
                        color: entryArea.containsMouse ? Theme.colorGray1 : Theme.colorTransparent
                    }
                    Text {
                        x: 14
                        anchors.verticalCenter: parent.verticalCenter
                        text: entry.modelData.text
                        color: entryArea.containsMouse ? Theme.colorPrimary : Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        id: entryArea

                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: entry.choose()
                    }
                }
            }
        }
    }
}
