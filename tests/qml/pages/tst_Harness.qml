import QtQuick
import QtTest
import modules.qml

TestCase {
    name: "Harness"
    function test_moduleLoads() {
        compare(SceneLogic.dropDownDuration(4), 140)
        compare(Theme.colorPrimary, "#ff9933")
    }
}
