import QtQuick

// Arc dial of 143 x 83 with values 0 to 11, read from the angle around the pivot (71.5, 70).
Item {
    id: dial
    width: 143
    height: 83

    property int value: 5
    property string slowText: ""
    property string fastText: ""
    readonly property bool pressed: area.pressed
    readonly property string source: mainIten.mouseRateSources[Math.max(0, Math.min(value, 10))]

    signal dialPressed(int value)
    signal dialMoved(int value)
    signal dialReleased()

    function angleAt(x, y) {
        var m = width / 2
        var dy = Math.max(70 - y, 0)
        var dx
        if (x < m) {
            dx = m - x
            if (dy === 0)
                return 0
            if (dx === 0)
                return 90
            return Math.floor(Math.atan(dy / dx) * 180 / Math.PI)
        }
        dx = x - m
        if (dy === 0)
            return 180
        if (dx === 0)
            return 90
        return 90 + Math.floor(Math.atan(dx / dy) * 180 / Math.PI)
    }

    function valueAt(x, y) {
        var angle = angleAt(x, y)
        return angle === 0 ? 0 : Math.floor(angle / 18) + 1
    }

    Image {
        anchors.fill: parent
        source: dial.source
    }
    Text {
        anchors.right: parent.left
        anchors.rightMargin: 10
        y: 68
        text: dial.slowText
        color: "#b3b3b3"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    Text {
        anchors.left: parent.right
        anchors.leftMargin: 10
        y: 68
        text: dial.fastText
        color: "#b3b3b3"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    MouseArea {
        id: area
        preventStealing: true
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onPressed: function (mouse) { dial.dialPressed(dial.valueAt(mouse.x, mouse.y)) }
        onPositionChanged: function (mouse) { dial.dialMoved(dial.valueAt(mouse.x, mouse.y)) }
        onReleased: dial.dialReleased()
    }
}
