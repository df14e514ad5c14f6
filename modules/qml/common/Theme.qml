pragma Singleton
import QtQuick

// Colours, font sizes and the font family of the whole scene. The root item
// mirrors these under its own property names; pages and controls read them here.
QtObject {
    id: theme

    readonly property color fontColor: "#ffffff"
    readonly property color colorGray0: "#1a1a1a"
    readonly property color colorGray1: "#3c3c3c"
    readonly property color colorGray2: "#969696"
    readonly property color colorGray3: "#d1d1d1"
    readonly property color colorGray6: "#666666"
    readonly property color colorBlue: "#09347f"
    readonly property color colorOrange: "#cf3e00"
    readonly property color colorBlack: "black"
    readonly property color colorRed: "#ff0000"
    readonly property color colorTransparent: "transparent"
    readonly property color colorPrimary: "#ff9933"
    readonly property color colorAccent: "#ff3030"
    // The ring around the control the keyboard works on: the scene's accent.
    readonly property color focusColor: colorPrimary
    readonly property var stageColors: ["#ff0000", "#0000ff", "#00ff00", "#FFFF00",
        "#00FFFF", "#FF00FF", "#FF8000", "#ffffff"]

    // Surfaces of the dark look, between colorGray0 and colorGray1.
    readonly property color panelColor: "#141416"
    readonly property color panelBorder: "#2a2a2e"
    readonly property color maskColor: "#b0000000"

    readonly property int fontNormalSize: 16
    readonly property int fontMaxSize: 18
    readonly property int fontMiddleSize: 16
    readonly property int fontMinSize: 12
    readonly property int animation_speed: 300

    // Set by the root: the language index and the mouse's button count.
    property int langIndex: 0
    property int keyCount: 14

    readonly property FontLoader rajdhani: FontLoader {
        source: "qrc:/modules/fonts/Rajdhani-Bold.ttf"
    }
    // Rajdhani covers the Latin languages (äöüß, éèàç, ñ, «», „“), so their
    // labels keep the narrow face the design was drawn for. Chinese needs a
    // CJK family: Noto's where it is installed, the Windows one's name
    // elsewhere, which fontconfig maps to whatever CJK face it has.
    readonly property string cjkSimplified: installed("Noto Sans CJK SC", "微软正黑体")
    readonly property string cjkTraditional: installed("Noto Sans CJK TC", "微软正黑体")
    readonly property string fontFamily: langIndex === 1 ? cjkSimplified
                                         : langIndex === 2 ? cjkTraditional
                                         : rajdhani.font.family

    function installed(family: string, otherwise: string): string {
        for (const known of Qt.fontFamilies()) {
            if (known === family)
                return family
        }
        return otherwise
    }
}
