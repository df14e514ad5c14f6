import QtQuick

// The lighting page's one device call on top of the shared fake view.
FakeView {
    function mouseSetLedType(effect, brightness, speed, direction, rgbArray) {
        record("mouseSetLedType", arguments)
    }
}
