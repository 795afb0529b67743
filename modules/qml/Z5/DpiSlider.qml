import QtQuick

// Vertical DPI slider: a 154 px track between y 8 and 162, filled from the bottom.
Item {
    id: slider
    width: 7
    height: 170

    property string dpiValue: "6000"
    property real fillHeight: 154
    property url trackSource: mainIten.sourceDpiSliderBg
    property url handleSource: mainIten.sourceDpiSliderBtn
    // A stage that is off shows its value and track dimmed.
    property bool active: true
    readonly property bool pressed: area.pressed
    // The stage the mouse is on.
    property bool isCurrent: false
    readonly property bool refusing: refuseAnimation.running

    signal sliderMove(int value)
    signal sliderPressed()
    signal numberClicked()

    function refuse() {
        refuseAnimation.restart()
    }

    // The value the mouse really uses: hundreds up to 5000, steps of 200 above.
    function deviceValue(value) {
        var v = Math.max(200, Math.min(6000, value))
        return v <= 5000 ? Math.floor(v / 100) * 100 : Math.floor(v / 200) * 200
    }

    function valueForHeight(h) {
        return deviceValue(Math.floor((5800 * h / 154 + 200) / 100) * 100)
    }

    // A text that is no number is kept as it is; the page sends it as a stage that is off.
    function initUI(dpiValue) {
        var n = Number(dpiValue)
        var shown = isNaN(n) || String(dpiValue) === "" ? dpiValue : deviceValue(n)
        var h = (shown - 200) * 154 / 5800
        fillHeight = isNaN(h) ? 0 : Math.max(0, Math.min(154, h))
        slider.dpiValue = String(shown)
    }

    // The fill snaps to the value, so the handle never rests between two steps.
    function setHeight(h) {
        var value = valueForHeight(h)
        fillHeight = (value - 200) * 154 / 5800
        dpiValue = String(value)
    }

    function clickAt(y) {
        var fromTop = y < 8 ? 0 : (y > 162 ? 154 : y - 8)
        setHeight(154 - fromTop)
        sliderMove(Number(dpiValue))
    }

    Rectangle {
        id: currentMark
        objectName: "currentMark"
        x: (slider.width - width) / 2
        y: valueLabel.y + (valueLabel.height - height) / 2
        width: valueLabel.implicitWidth + 8
        height: 13
        radius: 3
        visible: slider.isCurrent
        color: "#b03b3b"
        border.color: "#e05a52"
    }
    Rectangle {
        id: refuseMark
        objectName: "refuseMark"
        anchors.fill: currentMark
        radius: 3
        color: "transparent"
        border.color: "#ff3b3b"
        opacity: 0
    }
    Text {
        id: valueLabel
        objectName: "valueLabel"
        x: (slider.width - width) / 2
        y: -16
        text: slider.dpiValue
        color: slider.isCurrent ? "#ffffff" : (slider.active ? "#d9d9d9" : "#6b6b6b")
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize
        font.bold: slider.isCurrent
    }
    MouseArea {
        objectName: "numberArea"
        x: (slider.width - width) / 2
        y: valueLabel.y + (valueLabel.height - height) / 2
        width: 36
        height: 16
        cursorShape: slider.active ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: slider.numberClicked()
    }
    SequentialAnimation {
        id: refuseAnimation
        loops: 2
        NumberAnimation { target: refuseMark; property: "opacity"; from: 0; to: 1; duration: 90 }
        NumberAnimation { target: refuseMark; property: "opacity"; from: 1; to: 0; duration: 90 }
    }
    Image {
        id: track
        width: 7
        height: 170
        opacity: slider.active ? 1 : 0.45
        source: slider.trackSource
    }
    Rectangle {
        id: fill
        x: 1
        width: 5
        radius: 2
        opacity: slider.active ? 1 : 0.45
        y: 162 - height
        height: slider.fillHeight
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#f88600" }
            GradientStop { position: 1.0; color: "#fe0000" }
        }
    }
    Image {
        id: handle
        x: (slider.width - width) / 2
        y: 162 - slider.fillHeight - height / 2
        opacity: slider.active ? 1 : 0.45
        source: slider.handleSource
    }

    MouseArea {
        id: area
        preventStealing: true
        x: -10
        width: slider.width + 20
        height: slider.height
        property bool dragging: false
        property real grabOffset: 0

        onPressed: function (mouse) {
            slider.sliderPressed()
            var handleCentre = 162 - slider.fillHeight
            if (Math.abs(mouse.y - handleCentre) <= 6) {
                dragging = true
                grabOffset = mouse.y - handleCentre
            } else {
                slider.clickAt(mouse.y)
            }
        }
        onPositionChanged: function (mouse) {
            if (!dragging)
                return
            var centre = Math.max(8, Math.min(162, mouse.y - grabOffset))
            slider.setHeight(162 - centre)
        }
        onReleased: {
            if (!dragging)
                return
            dragging = false
            slider.sliderMove(Number(slider.dpiValue))
        }
        onCanceled: dragging = false
    }
}
