import QtQuick

// Ten-step axis slider; the knob sits on the centre of its step.
Item {
    id: slider
    width: 210
    height: 14

    property int value: 0
    property real knobCentre: 10
    readonly property var centres: [10, 30, 52, 74, 95, 116, 137, 159, 180, 200]
    readonly property bool pressed: area.pressed

    signal stepReported(int value)
    signal sliderClicked()

    // The step whose tick is nearest; halfway between two ticks takes the upper one.
    function stepAt(x) {
        for (var i = 0; i < centres.length - 1; ++i) {
            if (x < (centres[i] + centres[i + 1]) / 2)
                return i
        }
        return 9
    }

    function moveTo(step) {
        value = step
        knobCentre = centres[step]
    }

    function place(stored) {
        var text = String(stored)
        if (/^[0-8]$/.test(text)) {
            moveTo(Number(text))
        } else {
            value = 9
            knobCentre = 199
        }
    }

    Image {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        source: mainIten.xySources[slider.value]
    }
    Image {
        id: knob
        x: slider.knobCentre - width / 2
        anchors.verticalCenter: parent.verticalCenter
        source: mainIten.sourcexyBtn
    }
    Image {
        anchors.top: parent.bottom
        anchors.topMargin: 2
        source: mainIten.sourcexyNumber
    }
    MouseArea {
        id: area
        preventStealing: true
        y: -4
        width: parent.width
        height: parent.height + 8
        cursorShape: Qt.PointingHandCursor
        property int pressStep: 0
        property bool dragging: false

        onPressed: function (mouse) {
            slider.sliderClicked()
            pressStep = slider.value
            dragging = Math.abs(mouse.x - slider.knobCentre) <= 7
            if (!dragging) {
                slider.moveTo(slider.stepAt(mouse.x))
                if (slider.value !== pressStep)
                    slider.stepReported(slider.value)
            }
        }
        onPositionChanged: function (mouse) {
            if (dragging)
                slider.moveTo(slider.stepAt(Math.max(0, Math.min(slider.width, mouse.x))))
        }
        onReleased: {
            if (dragging && slider.value !== pressStep)
                slider.stepReported(slider.value)
            dragging = false
        }
    }
}
