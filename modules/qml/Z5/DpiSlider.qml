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

    signal sliderMove(int value)
    signal sliderPressed()

    function valueForHeight(h) {
        return Math.floor((5800 * h / 154 + 200) / 100) * 100
    }

    function initUI(dpiValue) {
        var h = (dpiValue - 200) * 154 / 5800
        fillHeight = isNaN(h) ? 0 : Math.max(0, Math.min(154, h))
        slider.dpiValue = String(dpiValue)
    }

    function setHeight(h) {
        fillHeight = h
        dpiValue = String(valueForHeight(h))
    }

    function clickAt(y) {
        var fromTop = y < 8 ? 0 : (y > 162 ? 154 : y - 8)
        setHeight(154 - fromTop)
        sliderMove(Number(dpiValue))
    }

    Text {
        objectName: "valueLabel"
        x: (slider.width - width) / 2
        y: -16
        text: slider.dpiValue
        color: slider.active ? "#ffffff" : "#6b6b6b"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize
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
