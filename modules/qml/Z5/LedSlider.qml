import QtQuick

// Five-step slider; handle centres at 4, 34, 63, 93 and 122.
Item {
    id: slider
    width: 126
    height: 12

    property int level: 4
    property var levelSources: []
    property url handleSource
    readonly property var stops: [4, 34, 63, 93, 122]
    readonly property bool pressed: area.pressed

    signal sliderMove(int level)
    signal sliderClicked()

    function levelAt(x) {
        if (x < 34)
            return 0
        if (x < 63)
            return 1
        if (x < 93)
            return 2
        if (x < 122)
            return 3
        return 4
    }

    function setLevel(value) {
        var n = Number(value)
        level = (n === 0 || n === 1 || n === 2 || n === 3) ? n : 4
    }

    Image {
        anchors.fill: parent
        source: slider.levelSources.length > slider.level ? slider.levelSources[slider.level] : ""
        opacity: slider.enabled ? 1 : 0.5
    }
    Image {
        id: handle
        x: slider.stops[slider.level] - width / 2
        anchors.verticalCenter: parent.verticalCenter
        source: slider.handleSource
        visible: slider.enabled
    }
    MouseArea {
        id: area
        preventStealing: true
        y: -5
        width: parent.width
        height: parent.height + 10
        property int pressLevel: 0
        property bool onHandle: false

        onPressed: function (mouse) {
            slider.sliderClicked()
            pressLevel = slider.level
            onHandle = Math.abs(mouse.x - slider.stops[slider.level]) <= 6
            if (!onHandle) {
                slider.level = slider.levelAt(mouse.x)
                if (slider.level !== pressLevel)
                    slider.sliderMove(slider.level)
            }
        }
        onPositionChanged: function (mouse) {
            if (onHandle)
                slider.level = slider.levelAt(mouse.x)
        }
        onReleased: {
            if (onHandle && slider.level !== pressLevel)
                slider.sliderMove(slider.level)
            onHandle = false
        }
    }
}
