import QtQuick
import modules.qml

// Office mode button; the game mode button exists but is not offered.
Row {
    id: modeSwitch

    property int mode: 0
    property string officeText: "Key Function"
    property string gameText: "Game Mode"

    signal modeChosen(int mode)

    spacing: 16

    SwitchButton {
        objectName: "officeModeButton"
        index: 0
        btnWidth: 180
        btnHeight: 42
        textValue: modeSwitch.officeText
        isSelect: modeSwitch.mode === 0
        Accessible.name: modeSwitch.officeText
        onBtnClick: function(index) { modeSwitch.modeChosen(index) }
    }
    SwitchButton {
        objectName: "gameModeButton"
        index: 1
        btnWidth: 180
        btnHeight: 42
        visible: false
        enabled: false
        textValue: modeSwitch.gameText
        isSelect: modeSwitch.mode === 1
        Accessible.name: modeSwitch.gameText
        onBtnClick: function(index) { modeSwitch.modeChosen(index) }
    }
}
