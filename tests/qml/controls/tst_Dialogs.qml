import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the dialogs live beside it.
Item {
    id: scene

    width: 1000
    height: 600

    Component {
        id: tooltipComponent

        Tooltip {
        }
    }

    SignalSpy {
        id: okSpy

        signalName: "tooltipClickOK"
    }

    TestCase {
        name: "Dialogs"
        when: windowShown

        function makeTooltip() {
            const tooltip = createTemporaryObject(tooltipComponent, scene);
            okSpy.target = tooltip;
            okSpy.clear();
            return tooltip;
        }

        function test_tooltip_buttons() {
            const tooltip = makeTooltip();
            compare([tooltip.width, tooltip.height, tooltip.title, tooltip.btnIndex], [427, 102, "Delete", -1]);
            const ok = findChild(tooltip, "tooltipOk");

            tooltip.btnIndex = 3;
            mouseClick(ok);
            compare(okSpy.count, 1);
            compare(okSpy.signalArguments[0][0], 3);
            verify(!tooltip.visible);

            tooltip.visible = true;
            mouseClick(findChild(tooltip, "tooltipCancel"));
            verify(!tooltip.visible);
            compare(okSpy.count, 1, "Cancel only closes");

            tooltip.visible = true;
            ok.enabled = false;
            compare(ok.opacity, 0.5);
            mouseClick(ok);
            compare(okSpy.count, 1);
            verify(tooltip.visible);
        }

        function test_drag_data() {
            return [
                { tag: "far to the bottom right", dx: 3000, dy: 2000, x: 1000 - 427, y: 600 - 102 },
                { tag: "far to the top left", dx: -3000, dy: -2000, x: 0, y: 0 },
                { tag: "a little", dx: 40, dy: -30, x: 287 + 40, y: 249 - 30 },
                { tag: "off the right edge only", dx: 1500, dy: 20, x: 1000 - 427, y: 249 + 20 },
                { tag: "pressed on a button", onButton: true, dx: 200, dy: 100, x: 287, y: 249 }
            ];
        }

        function test_drag(data) {
            const tooltip = makeTooltip();
            compare([tooltip.x, tooltip.y], [287, 249], "a dialog opens centred");
            const ok = findChild(tooltip, "tooltipOk");
            // Relative to the scene: the dialog itself moves under the pointer.
            const start = data.onButton ? ok.mapToItem(scene, ok.width / 2, ok.height / 2)
                                        : Qt.point(tooltip.x + 30, tooltip.y + 60);
            mouseDrag(scene, start.x, start.y, data.dx, data.dy);
            compare([tooltip.x, tooltip.y], [data.x, data.y]);
            compare(okSpy.count, 0);
            verify(tooltip.visible);
        }
    }
}
