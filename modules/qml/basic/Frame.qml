pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The window's frame: the top bar, the tabs with their pages, the bottom bar
// and the overlays above them. The root hands in what the scene knows and
// takes the user's choices back as signals; the pages are read through the
// aliases below.
Item {
    id: frame

    property int designWidth: 1280
    property int designHeight: 720
    property real zoom: 1.0
    property int marginLeft: 36
    property int langIndex: 0
    property bool isMaximized: false
    property int currentTab: 0
    property bool isGun: false
    property int mouseMode: 0
    property int profileNo: 0
    property string url
    property bool unsaved: false
    property bool overlayOpen: false
    property var view: null

    property var keyMatrixLang: []
    property var keyAssigmentLang: []
    property var warningAssigmentLang: []
    property var lightControlLang: []
    property var macroEditorLang: []
    property var gunControlLang: []
    property var profileLang: []

    readonly property alias topBar: topBar
    readonly property alias reportRate: reportRateMain
    readonly property alias keyMatrix: keyMatrixMain
    readonly property alias dpiSetting: dpiSettingMain
    readonly property alias lightControl: lightControlMain
    readonly property alias systemSetting: systemSettingMain
    readonly property alias macroEditor: macroEditorMain
    readonly property alias gunControl: gunControlMain
    readonly property alias profile: profileMain
    readonly property alias resetBox: resetBox

    // Before an overlay opens, and on a press on an empty part: menus close.
    signal focusWanted()
    signal dragStarted()
    signal dragged()
    signal tabChosen(int index)
    signal modeChosen(int mode)
    signal languageChosen(int index)
    signal profileChosen(int number)
    signal minimizeClicked()
    signal maximizeClicked()
    signal closeClicked()
    signal saveClicked()
    signal resetAccepted()

    anchors.fill: parent

    Environment {
        anchors.fill: parent
            }

    Menu_Up {
        id: topBar
        z: 2
        anchors.horizontalCenter: parent.horizontalCenter
        y: (frame.zoom - 1) * height / 2
        scale: frame.zoom
                marginLeft: frame.marginLeft
        langIndex: frame.langIndex
        isMaximized: frame.isMaximized
        profileModel: profileMain.profileModel
        profileIndex: profileMain.currentIndex
        // A list position names another profile once one before it is deleted:
        // the panel answers with the entry's stored number.
        onProfileChosen: function(index) { profileMain.chooseAt(index) }
        onLanguageChosen: function(index) { frame.languageChosen(index) }
        onMinimizeClicked: frame.minimizeClicked()
        onMaximizeClicked: frame.maximizeClicked()
        onCloseClicked: frame.closeClicked()
    }

    // The 1280 x 720 design, scaled about the window's centre.
    Item {
        id: contentFrame
        z: 1
        width: frame.designWidth
        height: frame.designHeight
        anchors.centerIn: parent
        scale: frame.zoom
        
        ShownImage {
            x: 916
            y: 40
            width: 300
            height: 120
            picture: Images.bgLogo
            asynchronous: true
        }

        TabRow {
            x: 64
            y: 72
            width: 1152
            height: 50.4
            currentIndex: frame.currentTab
            labels: [Texts.label(frame.keyMatrixLang, 17, "MOUSE MACRO"),
                Texts.label(frame.keyMatrixLang, 18, "BACKLIGHT"),
                Texts.label(frame.keyMatrixLang, 19, "SETTINGS")]
            onTabClicked: function(index) { frame.tabChosen(index) }
        }

        Item {
            id: pageArea
            x: 64
            y: 122.4
            width: 1152
            height: 525.6

            // first tab: mode and report rate on the left, mouse and DPI stages on the right
            Item {
                anchors.fill: parent
                visible: frame.currentTab === 0

                TextButton {
                    objectName: "gunEditorButton"
                    x: 200
                    y: 19
                    visible: frame.isGun
                    text: Texts.label(frame.keyMatrixLang, 4, "Gun Editor")
                    framed: true
                    Accessible.name: text
                    onClicked: {
                        frame.focusWanted()
                        gunControlMain.open()
                    }
                }
                ModeSwitch {
                    x: 0
                    y: 8
                    mode: frame.mouseMode
                    officeText: Texts.label(frame.keyMatrixLang, 1, "Key Function")
                    gameText: Texts.label(frame.keyMatrixLang, 14, "Game Mode")
                    onModeChosen: function(mode) { frame.modeChosen(mode) }
                }
                // Below the mode switch, so its list opens over empty space.
                ReportRate {
                    id: reportRateMain
                    x: 0
                    y: 80
                    z: 5
                    view: frame.view
                }
                KeyMatrix {
                    id: keyMatrixMain
                    objectName: "keyMatrixMain"
                    x: 0
                    y: 130
                    width: 540
                    height: 390
                    view: frame.view
                    mouseMode: frame.mouseMode
                    keyCount: Theme.keyCount
                    keyMatrixLang: frame.keyMatrixLang
                    keyAssigmentLang: frame.keyAssigmentLang
                    warningAssigmentLang: frame.warningAssigmentLang
                    overlayParent: overlayLayer
                }
                Mouse {
                    id: mouseMain
                    objectName: "mouseMain"
                    x: 552 + (600 - width) / 2
                    y: 0
                    width: 420
                    height: 250
                    keyCount: Theme.keyCount
                    selectedButton: keyMatrixMain.selectedButton
                    buttonTexts: keyMatrixMain.shownTexts
                    onButtonClicked: function(index) { keyMatrixMain.selectButton(index) }
                }
                DpiSetting {
                    id: dpiSettingMain
                    objectName: "dpiSettingMain"
                    x: 552
                    y: 255
                    width: 600
                    height: 270
                    view: frame.view
                }
            }

            // second tab: lighting (its tab button is hidden)
            LightControl {
                id: lightControlMain
                objectName: "lightControlMain"
                anchors.fill: parent
                visible: frame.currentTab === 1
                view: frame.view
                lightControlLang: frame.lightControlLang
                overlayParent: overlayLayer
            }

            // third tab: system settings on the left
            Item {
                anchors.fill: parent
                visible: frame.currentTab === 2

                MainMask {
                    id: settingsMask
                    anchors.fill: parent
                    onPressedAt: {
                        frame.dragStarted()
                        frame.focusWanted()
                        systemSettingMain.closeFocus()
                        macroEditorMain.closeFocus()
                    }
                    onDragged: frame.dragged()
                }
                SystemSetting {
                    id: systemSettingMain
                    objectName: "systemSettingMain"
                    x: 0
                    y: 0
                    width: 540
                    height: 520
                    view: frame.view
                }
                MacroEditorTreeView {
                    id: macroEditorMain
                    objectName: "macroEditorMain"
                    x: 576
                    y: 0
                    width: 576
                    height: 520
                    view: frame.view
                    macroEditorLang: frame.macroEditorLang
                    warningAssigmentLang: frame.warningAssigmentLang
                    overlayParent: overlayLayer
                    onModifyMacroData: function(name) {
                        keyMatrixMain.macroDataChanged(name, macroEditorMain.actionLines,
                                                       macroEditorMain.repeatCount)
                    }
                    onDeleteMacro: function(name) { keyMatrixMain.macroDeleted(name) }
                    onModifyMacroName: function(level, type, oldName, newName) {
                        keyMatrixMain.macroRenamed(level, type, oldName, newName)
                    }
                }
            }
        }

        ShownImage {
            x: 64
            y: 648
            width: 1152
            height: 14.4
            picture: Images.separator
            asynchronous: true
        }

        BottomBar {
            x: 64
            y: 662.4
            width: 1152
            height: 57.6
            url: frame.url
            unsaved: frame.unsaved
            okText: Texts.label(frame.keyMatrixLang, 10, " OK ")
            saveText: Texts.label(frame.keyMatrixLang, 12, "Save")
            resetText: Texts.label(frame.keyMatrixLang, 7, "Reset")
            onOkClicked: {
                frame.focusWanted()
                frame.saveClicked()
                frame.minimizeClicked()
            }
            onSaveClicked: frame.saveClicked()
            configText: Texts.label(frame.keyMatrixLang, 6, "Config")
            onConfigClicked: {
                frame.focusWanted()
                profileMain.open()
            }
            onResetClicked: {
                frame.focusWanted()
                resetBox.x = (contentFrame.width - resetBox.width) / 2
                resetBox.y = (contentFrame.height - resetBox.height) / 2
                resetBox.visible = true
            }
        }

        MainMask {
            id: mainMask
            z: 50
            anchors.fill: parent
            dimmed: true
            visible: frame.overlayOpen
            onPressedAt: {
                frame.dragStarted()
                frame.focusWanted()
                systemSettingMain.closeFocus()
                macroEditorMain.closeFocus()
                profileMain.closeFocus()
                gunControlMain.closeFocus()
                lightControlMain.closeFocus()
            }
            onDragged: frame.dragged()
        }

        // Dialogs and menus of the pages open here, over the dimmed mask.
        Item {
            id: overlayLayer
            objectName: "overlayLayer"
            z: 55
            anchors.fill: parent
        }

        GunControl {
            id: gunControlMain
            objectName: "gunControlMain"
            z: 56
            visible: false
            view: frame.view
            gunControlLang: frame.gunControlLang
            overlayParent: overlayLayer
            onSendKeyMatrix: keyMatrixMain.saveData()
        }

        Profile {
            id: profileMain
            objectName: "profileMain"
            z: 56
            visible: false
            view: frame.view
            profileLang: frame.profileLang
            warningAssigmentLang: frame.warningAssigmentLang
            profileNo: frame.profileNo
            overlayParent: overlayLayer
            onChangeProfile: function(number) { frame.profileChosen(number) }
        }

        ResetBox {
            id: resetBox
            z: 60
            visible: false
            title: Texts.label(frame.keyMatrixLang, 7, "Reset")
            messageText: Texts.label(frame.keyMatrixLang, 8, "Reset factory setting")
            okText: Texts.label(frame.keyMatrixLang, 10, " OK ")
            cancelText: Texts.label(frame.keyMatrixLang, 9, "Cancel")
            onCancelled: visible = false
            onAccepted: frame.resetAccepted()
        }

        // A copy of the first tab's button above everything, overlays included.
        TabButton {
            objectName: "tabCopy"
            x: 796
            y: 75
            z: 100
            text: Texts.label(frame.keyMatrixLang, 17, "MOUSE MACRO")
            isSelect: frame.currentTab === 0
            activeFocusOnTab: false
            onClicked: frame.tabChosen(0)
        }
    }
    // The native key and mouse forwarding goes to the recorder alone.
    Binding {
        target: KeyFocus
        property: "capturing"
        value: macroEditorMain.isInputting
    }
}
