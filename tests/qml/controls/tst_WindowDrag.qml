import QtQuick
import QtTest
import modules.qml

Item {
    id: scene

    width: 400
    height: 300

    Component {
        id: dragComponent

        WindowDrag {
            anchors.fill: parent
        }
    }

    Component {
        id: controlComponent

        // The window's side: where a drag went, and whether the compositor took it.
        QtObject {
            property bool compositorMoves: false
            property int starts: 0
            property int follows: 0

            function startSystemMove() {
                starts += 1
                return compositorMoves
            }
            function followPointer() { follows += 1 }
        }
    }

    TestCase {
        name: "WindowDrag"
        when: windowShown

        function test_drag_data() {
            return [
                { tag: "the window follows each motion and the release", compositorMoves: false,
                  moves: [[60, 55], [70, 60]], releasedAt: [80, 65], follows: 3 },
                { tag: "a release with no motion before it still follows", compositorMoves: false,
                  moves: [], releasedAt: [90, 70], follows: 1 },
                { tag: "the compositor moves the window itself", compositorMoves: true,
                  moves: [[60, 55], [70, 60]], releasedAt: [80, 65], follows: 0 }
            ];
        }

        function test_drag(data) {
            const control = createTemporaryObject(controlComponent, scene,
                                                  { compositorMoves: data.compositorMoves });
            const drag = createTemporaryObject(dragComponent, scene, { windowControl: control });
            let pressedOnEmpty = 0;
            drag.pressedOnEmpty.connect(() => pressedOnEmpty += 1);
            mousePress(drag, 50, 50);
            for (const [x, y] of data.moves)
                mouseMove(drag, x, y);
            mouseRelease(drag, data.releasedAt[0], data.releasedAt[1]);
            compare(pressedOnEmpty, 1);
            compare(control.starts, 1);
            compare(drag.movedBySystem, data.compositorMoves);
            compare(control.follows, data.follows);
        }
    }
}
