import QtQuick

// Whether a DPI stage takes part in the stage cycle.
Item {
    id: toggle
    width: 10
    height: 9

    property bool isSelect: true
    property url onSource
    property url offSource

    signal toggled()

    Image {
        anchors.fill: parent
        source: toggle.isSelect ? toggle.onSource : toggle.offSource
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
