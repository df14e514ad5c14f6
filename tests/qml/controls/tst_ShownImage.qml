import QtQuick
import QtTest
import modules.qml

Item {
    id: scene

    width: 400
    height: 300

    Component {
        id: imageComponent

        ShownImage {
            picture: Images.mousePicture
        }
    }

    TestCase {
        name: "ShownImage"
        when: windowShown

        // Which rendering a picture reads, and at what size it decodes.
        function test_rendering_data() {
            return [
                { tag: "design size", width: 420, height: 250, zoom: 1, design: null,
                  small: true, decoded: Qt.size(420, 250) },
                { tag: "zoomed page", width: 420, height: 250, zoom: 1.5, design: null,
                  small: false, decoded: Qt.size(630, 375) },
                { tag: "background on a design-size window", width: 1280, height: 720, zoom: 1,
                  design: Qt.size(1280, 720), small: true, decoded: Qt.size(1280, 720) },
                { tag: "background on a larger window", width: 1366, height: 768, zoom: 1,
                  design: Qt.size(1280, 720), small: false, decoded: Qt.size(1366, 768) }
            ]
        }
        function test_rendering(data) {
            const properties = { width: data.width, height: data.height, zoom: data.zoom }
            if (data.design)
                properties.designSize = data.design
            const image = createTemporaryObject(imageComponent, scene, properties)
            verify(image)
            compare(String(image.source).endsWith("_1x.png"), data.small)
            compare(String(image.source).replace("_1x.png", ".png"), Images.mousePicture)
            compare(image.sourceSize, data.decoded)
            tryCompare(image, "status", Image.Ready)
        }
    }
}
