import QtQuick
import modules.qml

// Top bar: title logo on the left; language list, profile list and the
// window buttons on the right.
Item {
    id: bar

    property alias profileModel: profileList.mdItems
    property int profileIndex: 0
    property int langIndex: 0
    property bool isMaximized: false
    property int marginLeft: 36

    signal profileChosen(int index)
    signal languageChosen(int index)
    signal minimizeClicked()
    signal maximizeClicked()
    signal closeClicked()

    width: 1280
    height: 36

    function closeMenus() {
        profileList.closeMenu()
        languageList.closeMenu()
    }

    ShownImage {
        anchors.fill: parent
        picture: Images.titleBar
    }
    Image {
        x: bar.marginLeft
        anchors.verticalCenter: parent.verticalCenter
        width: 220
        height: 28
        source: Images.titleLogo
        smooth: true
        Accessible.role: Accessible.Graphic
        Accessible.name: "KAIRO"
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        DropDownList {
            id: languageList
            objectName: "languageList"
            width: 144
            height: 24
            count: languages.count
            mdItems: languages
            currentSelect: bar.langIndex
            textValue: languages.get(Math.max(0, bar.langIndex)).textValue
            Accessible.name: "Language"
            onValueChange: function(index) { bar.languageChosen(index) }
        }
        DropDownList {
            id: profileList
            objectName: "profileList"
            width: 144
            height: 24
            count: mdItems ? mdItems.count : 0
            currentSelect: bar.profileIndex
            textValue: mdItems && bar.profileIndex >= 0 && bar.profileIndex < mdItems.count
                       ? mdItems.get(bar.profileIndex).textValue : ""
            Accessible.name: "Profile"
            onValueChange: function(index) { bar.profileChosen(index) }
        }
        WindowButton {
            objectName: "minimizeButton"
            source: Images.minimize
            Accessible.name: "Minimize"
            onClicked: bar.minimizeClicked()
        }
        WindowButton {
            objectName: "maximizeButton"
            source: bar.isMaximized ? Images.restore : Images.maximize
            Accessible.name: bar.isMaximized ? "Restore" : "Maximize"
            onClicked: bar.maximizeClicked()
        }
        WindowButton {
            objectName: "closeButton"
            source: Images.close
            Accessible.name: "Hide to tray"
            onClicked: bar.closeClicked()
        }
    }

    ListModel {
        id: languages
        ListElement { textValue: "ENGLISH" }
        ListElement { textValue: "简体中文" }
        ListElement { textValue: "繁體中文" }
        ListElement { textValue: "Deutsch" }
        ListElement { textValue: "Français" }
        ListElement { textValue: "Italiano" }
        ListElement { textValue: "Español" }
    }
}
