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
    readonly property Frame frame: content.item as Frame
    readonly property bool contentReady: frame !== null
    readonly property Menu_Up topBar: frame ? frame.topBar : null
    readonly property ReportRate reportRateMain: frame ? frame.reportRate : null
    readonly property KeyMatrix keyMatrixMain: frame ? frame.keyMatrix : null
    readonly property DpiSetting dpiSettingMain: frame ? frame.dpiSetting : null
    readonly property LightControl lightControlMain: frame ? frame.lightControl : null
    readonly property SystemSetting systemSettingMain: frame ? frame.systemSetting : null
    readonly property MacroEditorTreeView macroEditorMain: frame ? frame.macroEditor : null
    readonly property GunControl gunControlMain: frame ? frame.gunControl : null
    readonly property Profile profileMain: frame ? frame.profile : null
    readonly property ResetBox resetBox: frame ? frame.resetBox : null

    // the native objects, known once the view has published them
    property var view: null
    property var hidLink: null
    property var windowControl: null

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
        Images.shownZoom = rates.min
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

    function savablePages() {
        return [keyMatrixMain, dpiSettingMain, lightControlMain, systemSettingMain, reportRateMain]
    }

    // After an action the mouse did not complete it gets everything the
    // window holds; pages it did not take stay unsaved.
    function saveAllData() {
        mainFocus()
        const everything = mouseNotice.behind
        const pages = savablePages().filter(page => everything || page.isSave)
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
        for (const page of savablePages())
            page.isSave = false
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
        if (SceneLogic.isSecondFamily(icType) && parseInt(view.mouseReadCurrentProfile()) !== 1)
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

    LanguageLoader {
        id: languageLoader
        scene: mainIten
        notice: mouseNotice
    }

    PreciseTimer {
        id: tmrProtectUI
        interval: 1000
        onTriggered: mainIten.unlockAfterProtect()
    }

    WindowDrag {
        id: windowDrag
        objectName: "windowDrag"
        anchors.fill: parent
        enabled: !powerOnLogo.visible
        windowControl: mainIten.windowControl
        onPressedOnEmpty: {
            mainIten.mainFocus()
            mainIten.emptyAreaPressed()
        }
    }

    // The first frame shows the start-up logo alone, so the frame and its pages
    // are built behind it once the mouse has connected (or the logo has gone),
    // not before the window first appears.
    Loader {
        id: content
        objectName: "pageContent"
        anchors.fill: parent
        active: mainIten.contentWanted || !powerOnLogo.visible
        enabled: !devicePanel.visible
        sourceComponent: frameComponent
    }

    // qmllint disable unqualified
    // (The linter does not see the document's ids inside a component, and a
    // bound component cannot be built by this document's Loader.)
    Component {
        id: frameComponent
        Frame {
            visible: !powerOnLogo.visible
            designWidth: mainIten.normalW
            designHeight: mainIten.normalH
            zoom: mainIten.zoomInRate_min
            marginLeft: mainIten.marginLeftFrame
            langIndex: mainIten.langIndex
            isMaximized: mainIten.isFrameMax
            currentTab: mainIten.currentTab
            isGun: mainIten.isGun
            mouseMode: mainIten.mouseMode
            profileNo: mainIten.profileNo
            url: mainIten.url
            unsaved: mainIten.anyUnsaved
            overlayOpen: mainIten.overlayOpen
            view: mainIten.view
            keyMatrixLang: mainIten.keyMatrixLang
            keyAssigmentLang: mainIten.keyAssigmentLang
            warningAssigmentLang: mainIten.warningAssigmentLang
            lightControlLang: mainIten.lightControlLang
            macroEditorLang: mainIten.macroEditorLang
            gunControlLang: mainIten.gunControlLang
            profileLang: mainIten.profileLang
            onFocusWanted: mainIten.mainFocus()
            onDragStarted: windowDrag.begin()
            onDragged: windowDrag.follow()
            onTabChosen: function(index) { mainIten.selectTab(index) }
            onModeChosen: function(mode) { mainIten.applyMode(mode) }
            onLanguageChosen: function(index) { languageLoader.change(index) }
            onProfileChosen: function(number) { mainIten.changeProfile(number) }
            onMinimizeClicked: mainIten.windowControl.onMinimize()
            onMaximizeClicked: mainIten.windowControl.onMaxRestore()
            onCloseClicked: mainIten.windowControl.onHide()
            onSaveClicked: mainIten.saveAllData()
            onResetAccepted: mainIten.resetAllDate()
        }
    // qmllint enable unqualified
    }

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
        onDragStarted: windowDrag.begin()
        onDragged: windowDrag.follow()
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
