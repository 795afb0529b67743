import QtQuick

// Colour picker of the DPI stages: six presets and a hue bar.
Rectangle {
    id: colorBar
    width: 160
    height: 103
    color: "#1c1c1c"
    border.color: "#c0c0c0"

    property string titleText: ""
    property string defineText: ""
    property string fontFamily: "微软雅黑"
    property url hueSource
    property url sliderSource
    property string currentColor: "#ff0000"
    property real sliderX: -2
    readonly property var presets: ["#ff0000", "#0000ff", "#00ff00", "#ffff00", "#00ffff", "#ff00ff"]
    readonly property int red: parseInt(currentColor.substr(1, 2), 16)
    readonly property int green: parseInt(currentColor.substr(3, 2), 16)
    readonly property int blue: parseInt(currentColor.substr(5, 2), 16)

    signal colorChosen(string colour)

    function hex2(value) {
        return (value < 16 ? "0" : "") + value.toString(16)
    }

    // Where the picker may lie, in its parent's coordinates: its column, inside the window.
    property real minX: 0
    property real maxX: 0
    property real minY: 0
    property real maxY: 0

    // Opens centred under the square it edits, moved only as far as needed to stay inside.
    function openUnder(square, dpiColor) {
        var p = square.mapToItem(parent, square.width / 2, square.height)
        x = Math.round(Math.max(minX, Math.min(maxX - width, p.x - width / 2)))
        y = Math.round(Math.max(minY, Math.min(maxY - height, p.y + 6)))
        showColor(dpiColor)
        visible = true
    }

    // Six segments of 21 px: red, yellow, green, cyan, blue, magenta; past the end red again.
    function colorAtSlider(s) {
        var w = Math.floor(128 / 6)
        var i = Math.floor((s + 2) / w)
        var sub = Math.floor(((s + 2) - i * w) * 255 / w)
        switch (i) {
        case 0: return "#ff" + hex2(sub) + "00"
        case 1: return "#" + hex2(255 - sub) + "ff00"
        case 2: return "#00ff" + hex2(sub)
        case 3: return "#00" + hex2(255 - sub) + "ff"
        case 4: return "#" + hex2(sub) + "00ff"
        case 5: return "#ff00" + hex2(255 - sub)
        }
        return "#ff0000"
    }

    function sliderForColor(text) {
        var rs = text.substr(1, 2), gs = text.substr(3, 2), bs = text.substr(5, 2)
        var r = parseInt(rs, 16), g = parseInt(gs, 16), b = parseInt(bs, 16)
        var d = 128 / 6
        var u = d / 256
        var p = 0
        if (rs === "ff" && bs === "00")
            p = u * g
        else if (rs === "00" && bs === "ff")
            p = 3 * d + u * (255 - g)
        else if (gs === "ff" && bs === "00")
            p = d + u * (255 - r)
        else if (gs === "00" && bs === "ff")
            p = 4 * d + u * r
        else if (rs === "00" && gs === "ff")
            p = 2 * d + u * b
        else if (rs === "ff" && gs === "00")
            p = 5 * d + u * (255 - b)
        return Math.trunc(p - 2)
    }

    function showColor(text) {
        currentColor = String(text).toLowerCase()
        sliderX = sliderForColor(currentColor)
    }

    function choosePreset(text) {
        showColor(text)
        colorChosen(text)
    }

    function applySlider() {
        currentColor = colorAtSlider(sliderX)
        colorChosen(currentColor)
    }

    function clampSlider(s) {
        return Math.max(-2, Math.min(125, s))
    }

    // Drawn once the picker first opens: a closed picker costs no items.
    LazyContent {
        page: colorBar
        sourceComponent: Item {
            // Keeps clicks inside the picker from reaching the panels below it.
            MouseArea {
                anchors.fill: parent
            }

            Text {
                x: 8
                y: 4
                text: colorBar.titleText
                color: "#ffffff"
                font.family: colorBar.fontFamily
                font.pixelSize: 10
            }
            Row {
                x: 8
                y: 20
                spacing: 7
                Repeater {
                    model: colorBar.presets
                    Rectangle {
                        objectName: "preset" + index
                        width: 9
                        height: 9
                        color: modelData
                        border.width: 1
                        border.color: presetArea.containsMouse || colorBar.currentColor === modelData ? "#ffffff"
                                                                                                   : "#40ffffff"
                        MouseArea {
                            id: presetArea
                            anchors.fill: parent
                            anchors.margins: -2
                            hoverEnabled: true
                            cursorShape: Qt.PointingHandCursor
                            onClicked: colorBar.choosePreset(modelData)
                        }
                    }
                }
            }
            Text {
                x: 8
                y: 34
                text: colorBar.defineText
                color: "#ffffff"
                font.family: colorBar.fontFamily
                font.pixelSize: 10
            }
            Rectangle {
                objectName: "swatch"
                x: 8
                y: 52
                width: 22
                height: 22
                color: colorBar.currentColor
                border.color: "#c0c0c0"
            }
            Row {
                x: 38
                y: 57
                spacing: 8
                Repeater {
                    model: [["R", colorBar.red], ["G", colorBar.green], ["B", colorBar.blue]]
                    Text {
                        text: modelData[0] + " " + modelData[1]
                        color: "#d9d9d9"
                        font.family: colorBar.fontFamily
                        font.pixelSize: 10
                    }
                }
            }
            Image {
                id: hueBar
                objectName: "hueBar"
                x: 16
                y: 82
                width: 128
                height: 12
                source: colorBar.hueSource

                Image {
                    id: hueSlider
                    objectName: "hueSlider"
                    x: colorBar.sliderX
                    y: -2
                    width: 5
                    height: 16
                    source: colorBar.sliderSource
                }
                MouseArea {
                    id: hueArea
                    preventStealing: true
                    x: -4
                    y: -3
                    width: parent.width + 8
                    height: parent.height + 6
                    property bool dragging: false
                    property real grab: 0

                    onPressed: function (mouse) {
                        var barX = mouse.x + hueArea.x
                        dragging = barX >= colorBar.sliderX - 1 && barX <= colorBar.sliderX + 6
                        if (dragging) {
                            grab = barX - colorBar.sliderX
                        } else {
                            colorBar.sliderX = colorBar.clampSlider(Math.round(barX - 2))
                            colorBar.applySlider()
                        }
                    }
                    onPositionChanged: function (mouse) {
                        if (dragging)
                            colorBar.sliderX = colorBar.clampSlider(Math.round(mouse.x + hueArea.x - grab))
                    }
                    onReleased: {
                        if (dragging)
                            colorBar.applySlider()
                        dragging = false
                    }
                }
            }
        }
    }
}
