import QtQuick
import modules.qml

// The root of the scene: scene-wide state, the functions the native side
// calls, and the wiring between the frame and the pages.
Item {
    id: mainIten

    // design and window size
    property int normalW: 1280
    property int normalH: 720
    property int frameW: 1280
    property int frameH: 720
    property real zoomInRate_min: 1.0
    property real zoomInRate_max: 1.0
    property bool isFrameMax: false

    // mode, model flags, language
    property int mouseMode: 0
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false
    property string language: "ChineseSimplified"
    property int langIndex: 0
    property string url: "wiki.archlinux.org/title/Udev"
    property bool isPownOn: false
    property int profileNo: 0
    property int currentTab: 0
    property bool busy: false

    // fonts, sizes, colours and images, from the theme
    property string fontFamily: Theme.fontFamily
    property int fontNormalSize: Theme.fontNormalSize
    property int fontMaxSize: Theme.fontMaxSize
    property int fontMiddleSize: Theme.fontMiddleSize
    property int fontMinSize: Theme.fontMinSize
    property int marginLeftFrame: 36
    property int skin_No: Images.skin_No
    property int animation_speed: Theme.animation_speed
    property color fontColor: Theme.fontColor
    property color colorGray0: Theme.colorGray0
    property color colorGray1: Theme.colorGray1
    property color colorGray2: Theme.colorGray2
    property color colorGray3: Theme.colorGray3
    property color colorGray6: Theme.colorGray6
    property color colorBlue: Theme.colorBlue
    property color colorOrange: Theme.colorOrange
    property color colorBlack: Theme.colorBlack
    property color colorRed: Theme.colorRed
    property color colorTransparent: Theme.colorTransparent
    property color colorPrimary: Theme.colorPrimary
    property color colorAccent: Theme.colorAccent
    property color color1: Theme.stageColors[0]
    property color color2: Theme.stageColors[1]
    property color color3: Theme.stageColors[2]
    property color color4: Theme.stageColors[3]
    property color color5: Theme.stageColors[4]
    property color color6: Theme.stageColors[5]
    property color color7: Theme.stageColors[6]
    property color color8: Theme.stageColors[7]
    property string imgPath: "qrc:/index/modules/img/skin" + skin_No + "/"
    property string imgBackground: Images.background
    property string imgTitleBar: Images.titleBar
    property string imgTitleLogo: Images.titleLogo
    property string imgBottomBar: Images.bottomBar
    property string imgBgLogo: Images.bgLogo

    // language lists; the pages of the frame take theirs from here
    property var keyMatrixLang: ["", "Key Function", "", "", "Gun Editor", "", "Config", "Reset",
        "Reset factory setting", "Cancel", " OK ", "", "Save", "", "Game Mode", "", "",
        "MOUSE MACRO", "BACKLIGHT", "SETTINGS"]
    property var keyAssigmentLang: []
    property var lightControlLang: []
    property var macroEditorLang: []
    property var gunControlLang: []
    property var profileLang: []
    property var keyCodeLang: []
    property var warningAssigmentLang: []
    property var otherLang: []
    property var deviceLang: []

    // the frame's pages, known once the content below has been built
    property bool contentWanted: false
    readonly property bool contentReady: content.status === Loader.Ready
    property Menu_Up topBar: null
    property ReportRate reportRateMain: null
    property KeyMatrix keyMatrixMain: null
    property DpiSetting dpiSettingMain: null
    property LightControl lightControlMain: null
    property SystemSetting systemSettingMain: null
    property MacroEditorTreeView macroEditorMain: null
    property GunControl gunControlMain: null
    property Profile profileMain: null
    property ResetBox resetBox: null

    // the native objects, known once the view has published them
    property var view: null
    property var hidLink: null
    property var windowControl: null
    property bool movedBySystem: false

    readonly property bool anyUnsaved: contentReady
                                       && (keyMatrixMain.isSave || dpiSettingMain.isSave
                                           || lightControlMain.isSave || systemSettingMain.isSave
                                           || reportRateMain.isSave || mouseNotice.behind)
    readonly property bool overlayOpen: contentReady
                                        && (resetBox.visible || keyMatrixMain.isDialogOpen
                                            || macroEditorMain.isDialogOpen || gunControlMain.isDialogOpen
                                            || profileMain.isDialogOpen || lightControlMain.isDialogOpen)

    signal emptyAreaPressed()
    signal clickOfficeMode()
    signal clickGameMode()
    signal initDropDownList()
    signal clickMainFocus()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)
    signal msg_wheel(int _value)

    width: frameW
    height: frameH

    Binding {
        target: Theme
        property: "langIndex"
        value: mainIten.langIndex
    }

    function label(list: var, index: int, fallback: string): string {
        return list && list[index] ? list[index] : fallback
    }

    // Settings read back from INI files come as text.
    function isTrue(value: var): bool {
        return value === true || String(value) === "true" || String(value) === "1"
    }

    function attachNative() {
        if (view)
            return
        view = ui_View // qmllint disable unqualified
        hidLink = hid // qmllint disable unqualified
        windowControl = ui_Ctl // qmllint disable unqualified
    }

    // ---- called by the native side ----

    function setScreenRect(_widgetW, _widgetH, isMaxNormal) {
        frameW = _widgetW
        frameH = _widgetH
        isFrameMax = isMaxNormal
        const rates = SceneLogic.zoomRates(frameW, frameH)
        zoomInRate_min = rates.min
        zoomInRate_max = rates.max
        console.log("widgetW , H = ", frameW, frameH)
        console.log("zoomInRate_min = ", zoomInRate_min, ",zoomInRate_max = ", zoomInRate_max)
    }

    function setProtectUI(interval) {
        attachNative()
        busy = true
        view.setEnabled(false)
        tmrProtectUI.stop()
        if (interval <= 0) {
            unlockAfterProtect()
            return
        }
        tmrProtectUI.interval = interval
        tmrProtectUI.start()
    }

    // "absent", "denied" (detail: the device node, command: what installs the
    // udev rule), "unplugged" or "connected". Works before the pages exist.
    function setDeviceState(state, detail, command) {
        attachNative()
        if (deviceLang.length === 0) {
            language = String(view.getGlobalData("common/language"))
            setLangIndex(language)
            deviceLang = view.getLangStrings("device", language)
        }
        devicePanel.deviceState = String(state)
        devicePanel.node = detail ? String(detail) : ""
        devicePanel.command = command ? String(command) : ""
    }

    // What became of an action the native side ran ("noAnswer", ...).
    function showMouseOutcome(outcome) {
        mouseNotice.tell(String(outcome))
    }

    function setCurrentDPI(dpiValue) {
        if (dpiValue !== 0 && contentReady)
            dpiSettingMain.currentDPI = dpiValue - 1
    }

    function initUI() {
        attachNative()
        // The lock runs while the content is built, not after it.
        setProtectUI(1000)
        contentWanted = true
        visible = true
        view.beginMouseAction()
        if (!isPownOn) {
            firstInit()
            isPownOn = true
        }
        dpiSettingMain.currentDPI = parseInt(view.mouseGetCurrentDPI()) - 1
        mouseNotice.tell(view.endMouseAction())
    }

    function run() {}

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    // Keys reach only the dialog or recorder that is waiting for them.
    onMsg_KB: function(isDown, usbCode) {
        if (!contentReady)
            return
        if (keyMatrixMain.isFireInput || keyMatrixMain.isComboInput)
            keyMatrixMain.detectKeyboard(isDown, usbCode)
        else if (macroEditorMain.isKeyCapture)
            macroEditorMain.detectInput(isDown, usbCode)
        else if (macroEditorMain.isInputting)
            macroEditorMain.detectKeyboard(isDown, usbCode)
    }

    onMsg_MS: function(isDown, buttonCode, x, y) {
        if (contentReady && macroEditorMain.isInputting)
            macroEditorMain.detectMouse(isDown, buttonCode, x, y)
    }

    function detectMouse(isDown, buttonCode, x, y) {
        msg_MS(isDown, buttonCode, x, y)
    }

    function scroll(_value) {}

    // ---- used across the scene ----

    function mainFocus() {
        if (!contentReady)
            return
        reportRateMain.closeMenu()
        dpiSettingMain.closeMenu()
        topBar.closeMenus()
        lightControlMain.closeMenu()
        keyMatrixMain.closeFocus()
        clickMainFocus()
    }

    function controlUIEnable(isEnable) {
        busy = !isEnable
        view.setEnabled(isEnable)
    }

    function setLangIndex(langStr) {
        const index = SceneLogic.languageIndex(langStr)
        if (index >= 0)
            langIndex = index
    }

    function roundDecimal(val, precision) {
        return SceneLogic.roundDecimal(val, precision === undefined ? 0 : precision)
    }

    // After an action the mouse did not complete it gets everything the
    // window holds; pages it did not take stay unsaved.
    function saveAllData() {
        mainFocus()
        const everything = mouseNotice.behind
        const pages = [keyMatrixMain, dpiSettingMain, lightControlMain, systemSettingMain,
                       reportRateMain].filter(page => everything || page.isSave)
        if (pages.length === 0)
            return
        controlUIEnable(false)
        view.beginMouseAction()
        for (const page of pages)
            page.isSave = false
        if (pages.includes(keyMatrixMain))
            keyMatrixMain.saveData()
        if (pages.includes(dpiSettingMain))
            dpiSettingMain.saveData(true)
        if (pages.includes(lightControlMain))
            lightControlMain.saveData(true, 0)
        if (pages.includes(systemSettingMain))
            systemSettingMain.saveData(true, 0)
        if (pages.includes(reportRateMain))
            reportRateMain.saveData(true)
        if (everything)
            keyMatrixMain.macroTransfer.resend()
        if (!mouseNotice.report(view.endMouseAction(), everything)) {
            for (const page of pages)
                page.isSave = true
        }
        controlUIEnable(true)
    }

    function resetAllDate() {
        controlUIEnable(false)
        view.beginMouseAction()
        resetBox.visible = false
        applyMode(0)
        reportRateMain.enabled = true
        reportRateMain.opacity = 1.0
        view.resetProfile(profileNo)
        keyMatrixMain.init(true, true)
        keyMatrixMain.resetKey(true)
        reportRateMain.init(true, true)
        dpiSettingMain.init(true, true)
        lightControlMain.init(true, true)
        systemSettingMain.init(true, true)
        if (isGun) {
            view.mouseSwitchKeyMatrix(1)
            view.mouseResetKeyMatrix()
        }
        view.mouseSetCurrentDPI(2)
        dpiSettingMain.currentDPI = 1
        gunControlMain.resetData()
        mouseNotice.report(view.endMouseAction(), false)
        controlUIEnable(true)
        keyMatrixMain.isSave = false
        dpiSettingMain.isSave = false
        lightControlMain.isSave = false
        systemSettingMain.isSave = false
        reportRateMain.isSave = false
    }

    function changeProfile(n: int) {
        if (n === profileNo)
            return
        controlUIEnable(false)
        view.beginMouseAction()
        profileNo = n
        view.setGlobalData("mouse/profileNo", n)
        view.setCurrentProfile(n)
        keyMatrixMain.init(true, false)
        reportRateMain.init(true, false)
        dpiSettingMain.init(true, false)
        lightControlMain.init(true, false)
        systemSettingMain.init(true, false)
        if (isGun) {
            view.mouseSwitchKeyMatrix(1)
            view.mouseResetKeyMatrix()
        }
        mouseNotice.report(view.endMouseAction(), false)
        controlUIEnable(true)
    }

    // ---- inner steps ----

    function firstInit() {
        isColorful = isTrue(view.getGlobalData("mouse/isColorful"))
        icType = String(view.getGlobalData("mouse/icType"))
        is55328 = isTrue(view.getGlobalData("mouse/is55328"))
        isGun = isTrue(view.getGlobalData("mouse/isGun"))
        const keyCount = parseInt(view.getGlobalData("mouse/keyCount"))
        Theme.keyCount = isNaN(keyCount) ? 14 : keyCount
        applyMode(parseInt(view.getData("mouse/mouseMode", false)) === 1 ? 1 : 0)
        if (icType === "560" && parseInt(view.mouseReadCurrentProfile()) !== 1)
            hidLink.hid560_02H_SetCurrentProfile(1)
        language = String(view.getGlobalData("common/language"))
        setLangIndex(language)
        console.log("language=", language)
        loadLanguage()
        reportRateMain.init(false, false)
        profileNo = parseInt(view.getGlobalData("mouse/profileNo")) || 0
        profileMain.init()
        view.setCurrentProfile(profileNo)
        gunControlMain.init()
        keyMatrixMain.init(false, false)
        dpiSettingMain.init(false, false)
        lightControlMain.init(false, false)
        systemSettingMain.init(false, false)
        initDropDownList()
    }

    function loadLanguage() {
        languageLoader.load()
    }

    function applyMode(mode: int) {
        mouseMode = mode
        isGun = mode === 1
        if (mode === 1)
            clickGameMode()
        else
            clickOfficeMode()
        // The first start reads the matrices once, after the profile is chosen.
        if (isPownOn)
            keyMatrixMain.init(false, false)
        initDropDownList()
    }

    function selectTab(index: int) {
        currentTab = index
        if (index === 2)
            macroEditorMain.init()
        mainFocus()
    }

    function unlockAfterProtect() {
        view.setEnabled(true)
        busy = false
        powerOnLogo.visible = false
    }

    // A press that may drag the window: the compositor moves it where it
    // can (Wayland); elsewhere the pointer's offsets do.
    function beginWindowDrag() {
        movedBySystem = windowControl ? windowControl.startSystemMove() : false
    }

    function dragWindow(dx: real, dy: real) {
        if (movedBySystem)
            return
        windowControl.onXChanged(Math.round(dx))
        windowControl.onYChanged(Math.round(dy))
    }

    LanguageLoader {
        id: languageLoader
        frame: mainIten
        notice: mouseNotice
    }

    PreciseTimer {
        id: tmrProtectUI
        interval: 1000
        onTriggered: mainIten.unlockAfterProtect()
    }

    // Presses on empty parts of the window drag it.
    MouseArea {
        property real pressX: 0
        property real pressY: 0

        anchors.fill: parent
        enabled: !powerOnLogo.visible
        onPressed: function(mouse) {
            mainIten.mainFocus()
            mainIten.emptyAreaPressed()
            mainIten.beginWindowDrag()
            pressX = mouse.x
            pressY = mouse.y
        }
        onPositionChanged: function(mouse) {
            if (pressed)
                mainIten.dragWindow(mouse.x - pressX, mouse.y - pressY)
        }
    }

    // The first frame shows the start-up logo alone, so the frame and its pages
    // are built behind it once the mouse has connected (or the logo has gone),
    // not before the window first appears.
    // qmllint disable unqualified
    // (The linter does not see the document's ids inside an inline component.)
    Loader {
        id: content
        objectName: "pageContent"
        anchors.fill: parent
        active: mainIten.contentWanted || !powerOnLogo.visible
        enabled: !devicePanel.visible
        sourceComponent: Component {
            Item {
                anchors.fill: parent
                Component.onCompleted: {
                    mainIten.topBar = topBar
                    mainIten.reportRateMain = reportRateMain
                    mainIten.keyMatrixMain = keyMatrixMain
                    mainIten.dpiSettingMain = dpiSettingMain
                    mainIten.lightControlMain = lightControlMain
                    mainIten.systemSettingMain = systemSettingMain
                    mainIten.macroEditorMain = macroEditorMain
                    mainIten.gunControlMain = gunControlMain
                    mainIten.profileMain = profileMain
                    mainIten.resetBox = resetBox
                    KeyFocus.capturing = Qt.binding(() => macroEditorMain.isInputting)
                }

            Environment {
                anchors.fill: parent
                visible: !powerOnLogo.visible
            }

            Menu_Up {
                id: topBar
                z: 2
                anchors.horizontalCenter: parent.horizontalCenter
                y: (mainIten.zoomInRate_min - 1) * height / 2
                scale: mainIten.zoomInRate_min
                visible: !powerOnLogo.visible
                marginLeft: mainIten.marginLeftFrame
                langIndex: mainIten.langIndex
                isMaximized: mainIten.isFrameMax
                profileModel: profileMain.profileModel
                profileIndex: profileMain.currentIndex
                // A list position names another profile once one before it is deleted:
                // the panel answers with the entry's stored number.
                onProfileChosen: function(index) { profileMain.chooseAt(index) }
                onLanguageChosen: function(index) { languageLoader.change(index) }
                onMinimizeClicked: mainIten.windowControl.onMinimize()
                onMaximizeClicked: mainIten.windowControl.onMaxRestore()
                onCloseClicked: mainIten.windowControl.onHide()
            }

            // The 1280 x 720 design, scaled about the window's centre.
            Item {
                id: contentFrame
                z: 1
                width: mainIten.normalW
                height: mainIten.normalH
                anchors.centerIn: parent
                scale: mainIten.zoomInRate_min
                visible: !powerOnLogo.visible

                Image {
                    x: 916
                    y: 40
                    width: 300
                    height: 120
                    source: Images.bgLogo
                    asynchronous: true
                    smooth: true
                }

                TabRow {
                    x: 64
                    y: 72
                    width: 1152
                    height: 50.4
                    currentIndex: mainIten.currentTab
                    labels: [mainIten.label(mainIten.keyMatrixLang, 17, "MOUSE MACRO"),
                        mainIten.label(mainIten.keyMatrixLang, 18, "BACKLIGHT"),
                        mainIten.label(mainIten.keyMatrixLang, 19, "SETTINGS")]
                    onTabClicked: function(index) { mainIten.selectTab(index) }
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
                        visible: mainIten.currentTab === 0

                        TextButton {
                            objectName: "gunEditorButton"
                            x: 200
                            y: 19
                            visible: mainIten.isGun
                            text: mainIten.label(mainIten.keyMatrixLang, 4, "Gun Editor")
                            framed: true
                            Accessible.name: text
                            onClicked: {
                                mainIten.mainFocus()
                                gunControlMain.open()
                            }
                        }
                        ModeSwitch {
                            x: 0
                            y: 8
                            mode: mainIten.mouseMode
                            officeText: mainIten.label(mainIten.keyMatrixLang, 1, "Key Function")
                            gameText: mainIten.label(mainIten.keyMatrixLang, 14, "Game Mode")
                            onModeChosen: function(mode) { mainIten.applyMode(mode) }
                        }
                        // Below the mode switch, so its list opens over empty space.
                        ReportRate {
                            id: reportRateMain
                            x: 0
                            y: 80
                            z: 5
                            view: mainIten.view
                        }
                        KeyMatrix {
                            id: keyMatrixMain
                            objectName: "keyMatrixMain"
                            x: 0
                            y: 130
                            width: 540
                            height: 390
                            view: mainIten.view
                            mouseMode: mainIten.mouseMode
                            keyCount: Theme.keyCount
                            keyMatrixLang: mainIten.keyMatrixLang
                            keyAssigmentLang: mainIten.keyAssigmentLang
                            warningAssigmentLang: mainIten.warningAssigmentLang
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
                            view: mainIten.view
                        }
                    }

                    // second tab: lighting (its tab button is hidden)
                    LightControl {
                        id: lightControlMain
                        objectName: "lightControlMain"
                        anchors.fill: parent
                        visible: mainIten.currentTab === 1
                        view: mainIten.view
                        lightControlLang: mainIten.lightControlLang
                        overlayParent: overlayLayer
                    }

                    // third tab: system settings on the left
                    Item {
                        anchors.fill: parent
                        visible: mainIten.currentTab === 2

                        MainMask {
                            id: settingsMask
                            anchors.fill: parent
                            onPressedAt: {
                                mainIten.beginWindowDrag()
                                mainIten.mainFocus()
                                systemSettingMain.closeFocus()
                                macroEditorMain.closeFocus()
                            }
                            onDraggedBy: function(dx, dy) { mainIten.dragWindow(dx, dy) }
                        }
                        SystemSetting {
                            id: systemSettingMain
                            objectName: "systemSettingMain"
                            x: 0
                            y: 0
                            width: 540
                            height: 520
                            view: mainIten.view
                        }
                        MacroEditorTreeView {
                            id: macroEditorMain
                            objectName: "macroEditorMain"
                            x: 576
                            y: 0
                            width: 576
                            height: 520
                            view: mainIten.view
                            macroEditorLang: mainIten.macroEditorLang
                            warningAssigmentLang: mainIten.warningAssigmentLang
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

                Image {
                    x: 64
                    y: 648
                    width: 1152
                    height: 14.4
                    source: Images.separator
                    asynchronous: true
                    smooth: true
                }

                BottomBar {
                    x: 64
                    y: 662.4
                    width: 1152
                    height: 57.6
                    url: mainIten.url
                    unsaved: mainIten.anyUnsaved
                    okText: mainIten.label(mainIten.keyMatrixLang, 10, " OK ")
                    saveText: mainIten.label(mainIten.keyMatrixLang, 12, "Save")
                    resetText: mainIten.label(mainIten.keyMatrixLang, 7, "Reset")
                    onOkClicked: {
                        mainIten.mainFocus()
                        mainIten.saveAllData()
                        mainIten.windowControl.onMinimize()
                    }
                    onSaveClicked: mainIten.saveAllData()
                    configText: mainIten.label(mainIten.keyMatrixLang, 6, "Config")
                    onConfigClicked: {
                        mainIten.mainFocus()
                        profileMain.open()
                    }
                    onResetClicked: {
                        mainIten.mainFocus()
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
                    visible: mainIten.overlayOpen
                    onPressedAt: {
                        mainIten.beginWindowDrag()
                        mainIten.mainFocus()
                        systemSettingMain.closeFocus()
                        macroEditorMain.closeFocus()
                        profileMain.closeFocus()
                        gunControlMain.closeFocus()
                        lightControlMain.closeFocus()
                    }
                    onDraggedBy: function(dx, dy) { mainIten.dragWindow(dx, dy) }
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
                    view: mainIten.view
                    gunControlLang: mainIten.gunControlLang
                    overlayParent: overlayLayer
                    onSendKeyMatrix: keyMatrixMain.saveData()
                }

                Profile {
                    id: profileMain
                    objectName: "profileMain"
                    z: 56
                    visible: false
                    view: mainIten.view
                    profileLang: mainIten.profileLang
                    warningAssigmentLang: mainIten.warningAssigmentLang
                    profileNo: mainIten.profileNo
                    overlayParent: overlayLayer
                    onChangeProfile: function(number) { mainIten.changeProfile(number) }
                }

                ResetBox {
                    id: resetBox
                    z: 60
                    visible: false
                    title: mainIten.label(mainIten.keyMatrixLang, 7, "Reset")
                    messageText: mainIten.label(mainIten.keyMatrixLang, 8, "Reset factory setting")
                    okText: mainIten.label(mainIten.keyMatrixLang, 10, " OK ")
                    cancelText: mainIten.label(mainIten.keyMatrixLang, 9, "Cancel")
                    onCancelled: visible = false
                    onAccepted: mainIten.resetAllDate()
                }

                // A copy of the first tab's button above everything, overlays included.
                TabButton {
                    objectName: "tabCopy"
                    x: 796
                    y: 75
                    z: 100
                    text: mainIten.label(mainIten.keyMatrixLang, 17, "MOUSE MACRO")
                    isSelect: mainIten.currentTab === 0
                    activeFocusOnTab: false
                    onClicked: mainIten.selectTab(0)
                }
            }
            }
        }
    }

    // qmllint enable unqualified

    PowerOnLogo {
        id: powerOnLogo
        anchors.centerIn: parent
        scale: mainIten.zoomInRate_min
    }

    DeviceStatePanel {
        id: devicePanel
        z: 98
        anchors.fill: parent
        zoom: mainIten.zoomInRate_min
        overFrame: !powerOnLogo.visible
        texts: mainIten.deviceLang
        onMinimizeClicked: mainIten.windowControl.onMinimize()
        onCloseClicked: mainIten.windowControl.onHide()
        onDraggedBy: function(dx, dy) { mainIten.dragWindow(dx, dy) }
    }

    MouseNotice {
        id: mouseNotice
        z: 97
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 96 * mainIten.zoomInRate_min
        zoom: mainIten.zoomInRate_min
    }

    Connections {
        target: mainIten.keyMatrixMain ? mainIten.keyMatrixMain.macroTransfer : null
        function onFinished(outcome) { mouseNotice.report(outcome, false) }
        function onTooLong() { mouseNotice.tellMacroTooLong() }
    }

    BusyIndicator {
        z: 99
        anchors.centerIn: parent
        running: mainIten.busy
    }
}
