import QtQuick

// Whether a DPI stage takes part in the stage cycle.
Item {
    id: toggle
    width: 10
    height: 9

    property bool isSelect: true
    // False while this is the only stage in the cycle: the mouse needs one stage.
    property bool canClear: true
    property url selectedSource: mainIten.sourceDpiSelect1
    property url clearedSource: mainIten.sourceDpiSelect0
    readonly property bool refusing: refuseAnimation.running

    signal toggled()

    function refuse() {
        refuseAnimation.restart()
    }

    Image {
        id: picture
        width: parent.width
        height: parent.height
        source: toggle.isSelect ? toggle.selectedSource : toggle.clearedSource
    }
    Rectangle {
        id: refuseMark
        objectName: "refuseMark"
        x: picture.x - 2
        y: -2
        width: parent.width + 4
        height: parent.height + 4
        radius: 2
        color: "transparent"
        border.color: "#ff3b3b"
        opacity: 0
    }
    SequentialAnimation {
        id: refuseAnimation
        loops: 2
        ParallelAnimation {
            NumberAnimation { target: refuseMark; property: "opacity"; from: 0; to: 1; duration: 90 }
            NumberAnimation { target: picture; property: "x"; from: 0; to: 2; duration: 90 }
        }
        ParallelAnimation {
            NumberAnimation { target: refuseMark; property: "opacity"; from: 1; to: 0; duration: 90 }
            NumberAnimation { target: picture; property: "x"; from: 2; to: 0; duration: 90 }
        }
    }
    MouseArea {
        anchors.centerIn: parent
        width: 22
        height: 18
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            if (toggle.isSelect && !toggle.canClear) {
                toggle.refuse()
                return
            }
            toggle.isSelect = !toggle.isSelect
            toggle.toggled()
        }
    }
}
