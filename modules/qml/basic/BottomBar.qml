import QtQuick
import modules.qml

// Bottom bar: Config (the profile list) on the left, help link in the
// middle; OK, Save and Reset on the right. Save turns to the accent colour
// while anything is unsaved.
Item {
    id: bar

    property string url: ""
    property bool unsaved: false
    property string okText: " OK "
    property string saveText: "Save"
    property string resetText: "Reset"
    property string configText: "Config"

    signal configClicked()
    signal okClicked()
    signal saveClicked()
    signal resetClicked()

    ShownImage {
        anchors.fill: parent
        picture: Images.bottomBar
    }

    Text {
        id: link
        objectName: "webLink"
        anchors.centerIn: parent
        text: bar.url
        font.family: Theme.fontFamily
        font.pixelSize: 12
        font.underline: linkArea.containsMouse
        color: linkArea.containsMouse ? Theme.colorPrimary : Theme.colorGray2
        Accessible.role: Accessible.Link
        Accessible.name: bar.url
        Accessible.onPressAction: Qt.openUrlExternally("https://" + bar.url)
        Accessible.focusable: true
        activeFocusOnTab: true
        Keys.onPressed: event => KeyFocus.press(event, link, () => Qt.openUrlExternally("https://" + bar.url))
        FocusRing {}
        MouseArea {
            id: linkArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: Qt.openUrlExternally("https://" + bar.url)
        }
    }

    TextButton {
        objectName: "configButton"
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.verticalCenter: parent.verticalCenter
        text: bar.configText
        bold: true
        pixelSize: Theme.fontMaxSize
        Accessible.name: bar.configText
        onClicked: bar.configClicked()
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.verticalCenter: parent.verticalCenter
        spacing: 16
        TextButton {
            objectName: "okButton"
            text: bar.okText
            bold: true
            pixelSize: Theme.fontMaxSize
            Accessible.name: "OK"
            onClicked: bar.okClicked()
        }
        TextButton {
            objectName: "saveButton"
            text: bar.saveText
            bold: true
            pixelSize: Theme.fontMaxSize
            textColor: bar.unsaved ? Theme.colorAccent : Theme.fontColor
            Accessible.name: bar.saveText
            Accessible.description: bar.unsaved ? "unsaved changes" : ""
            onClicked: bar.saveClicked()
        }
        TextButton {
            objectName: "resetButton"
            text: bar.resetText
            bold: true
            pixelSize: Theme.fontMaxSize
            Accessible.name: bar.resetText
            onClicked: bar.resetClicked()
        }
    }
}
