import QtQuick

// Start-up scene: shows the logo until the native side reports a connected
// mouse, and offers every root function the native side calls. Each call is
// kept in callLog (and written to the debug stream) so it can be checked.
Rectangle {
    id: root
    width: 1280
    height: 720
    color: "#26272b"

    property var callLog: []
    property bool started: false
    property int protectTime: 0
    property int currentDPI: 0
    property int screenWidth: width
    property int screenHeight: height
    property bool screenMaximized: false

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)

    function record(entry) {
        callLog = callLog.concat([entry])
        console.log("scene: " + entry)
    }

    function initUI() { record("initUI") }
    function run() { started = true; record("run") }

    function detectKeyboard(isDown, usbCode) {
        record("detectKeyboard " + isDown + " " + usbCode)
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, buttonCode, x, y) {
        record("detectMouse " + isDown + " " + buttonCode + " " + x + " " + y)
        msg_MS(isDown, buttonCode, x, y)
    }

    function scroll(steps) { record("scroll " + steps) }

    function setScreenRect(w, h, maximized) {
        screenWidth = w
        screenHeight = h
        screenMaximized = maximized
        width = w
        height = h
        record("setScreenRect " + w + " " + h + " " + maximized)
    }

    function setProtectUI(milliseconds) {
        protectTime = milliseconds
        record("setProtectUI " + milliseconds)
    }

    function setCurrentDPI(dpiValue) {
        if (dpiValue !== 0)
            currentDPI = dpiValue - 1
        record("setCurrentDPI " + dpiValue)
    }

    Column {
        anchors.centerIn: parent
        spacing: 24
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "qrc:/modules/img/logo.ico"
            width: 128
            height: 128
            smooth: true
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.started ? "ZENDRA KAIRO MOUSE K1" : "ZENDRA KAIRO MOUSE K1 ..."
            color: "#e1e1e1"
            font.pixelSize: 28
            font.bold: true
        }
    }
}
