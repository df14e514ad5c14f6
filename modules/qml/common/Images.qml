pragma Singleton
import QtQuick

// Every image path of the scene. Skin images live under
// qrc:/index/modules/img/skin<N>/<group>/, frame images under
// qrc:/modules/img/ and the gun pictures under qrc:/gun/modules/img/skin1/gun/.
QtObject {
    property int skin_No: 1
    // The scene's zoom, which pictures take into account when decoding.
    property real shownZoom: 1.0

    function skin(group: string, file: string): string {
        return "qrc:/index/modules/img/skin" + skin_No + "/" + group + "/" + file
    }
    // The rendering of a picture at its design size (see ShownImage).
    function designSized(path: string): string {
        return path.replace(/\.png$/, "_1x.png")
    }
    function gun(name: string): string {
        return "qrc:/gun/modules/img/skin1/gun/" + name + ".png"
    }

    // frame, without a skin
    readonly property string background: "qrc:/modules/img/background.png"
    readonly property string titleBar: "qrc:/modules/img/titleBar.png"
    readonly property string titleLogo: "qrc:/modules/img/titleLogo.png"
    readonly property string bottomBar: "qrc:/modules/img/bottomBar.png"
    readonly property string bgLogo: "qrc:/modules/img/bgLogo.png"

    // index: frame pieces and the control kit
    readonly property string powerOn: skin("index", "powerOn.png")
    readonly property string separator: skin("index", "separator.png")
    readonly property string tabButton: skin("index", "tab0.png")
    readonly property string tabButtonSelected: skin("index", "tab1.png")
    readonly property string modeButton: skin("index", "mode0.png")
    readonly property string modeButtonSelected: skin("index", "mode1.png")
    readonly property string minimize: skin("index", "min.png")
    readonly property string maximize: skin("index", "max.png")
    readonly property string restore: skin("index", "restore.png")
    readonly property string close: skin("index", "close.png")
    readonly property string arrowDown: skin("index", "arrowDown.png")
    readonly property string arrowUp: skin("index", "arrowUp.png")
    readonly property string check: skin("index", "check.png")
    readonly property string sliderKnob: skin("index", "sliderBtn.png")
    readonly property string dialogClose: skin("index", "dialogClose.png")

    // pages
    readonly property string mousePicture: skin("mouse", "mouse.png")
    readonly property string mouseSide: skin("lightControl", "mouseSide.png")
    readonly property string lightIcon: skin("lightControl", "icon.png")
    readonly property string hueBar: skin("lightControl", "hueBar.png")
    readonly property string dpiIcon: skin("dpiSetting", "icon.png")
    readonly property string dpiMinus: skin("dpiSetting", "minus.png")
    readonly property string dpiPlus: skin("dpiSetting", "plus.png")
    readonly property string dpiReset: skin("dpiSetting", "reset.png")
    readonly property string colorWheel: skin("dpiSetting", "colorWheel.png")
    readonly property string reportRateIcon: skin("reportRate", "icon.png")
    readonly property string mouseRateIcon: skin("mouseRate", "icon.png")
    readonly property string scrollRateIcon: skin("scrollRate", "icon.png")
    readonly property string lodIcon: skin("xySetting", "icon.png")
    readonly property string profileIcon: skin("profile", "icon.png")
    readonly property string macroFolder: skin("macros", "folder.png")
    readonly property string macroFile: skin("macros", "macro.png")
    readonly property string gunTarget: "qrc:/gun/modules/img/skin1/gun/target.png"
}
