import QtQuick
import modules.qml

// One of the tab row's 200 x 44 buttons.
Item {
    id: tab

    property string text
    property bool isSelect: false

    signal clicked()

    width: 200
    height: 44
    activeFocusOnTab: true
    Accessible.role: Accessible.PageTab
    Accessible.name: text
    Accessible.selected: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: tab.clicked()
    Keys.onPressed: event => KeyFocus.press(event, tab, () => tab.clicked())

    FocusRing {}

    Image {
        anchors.fill: parent
        source: tab.isSelect || area.containsMouse ? Images.tabButtonSelected : Images.tabButton
        smooth: true
    }
    Text {
        anchors.centerIn: parent
        text: tab.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true
        color: tab.isSelect ? Theme.colorPrimary : (area.containsMouse ? Theme.colorGray3 : Theme.colorGray2)
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: tab.clicked()
    }
}
