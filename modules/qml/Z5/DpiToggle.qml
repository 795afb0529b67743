import QtQuick

// Whether a DPI stage takes part in the stage cycle.
Item {
    id: toggle
    width: 10
    height: 9

    property bool isSelect: true
    property url selectedSource: mainIten.sourceDpiSelect1
    property url clearedSource: mainIten.sourceDpiSelect0

    signal toggled()

    Image {
        anchors.fill: parent
        source: toggle.isSelect ? toggle.selectedSource : toggle.clearedSource
    }
    MouseArea {
        anchors.centerIn: parent
        width: 22
        height: 18
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            toggle.isSelect = !toggle.isSelect
            toggle.toggled()
        }
    }
}
