import QtQuick

// A radio choice of the scroll page.
Item {
    id: option
    width: label.x + label.implicitWidth
    height: Math.max(mark.implicitHeight, label.implicitHeight)

    property string text: ""
    property bool selected: false

    signal clicked()

    Image {
        id: mark
        anchors.verticalCenter: parent.verticalCenter
        source: option.selected ? mainIten.sourcescrollRate1 : mainIten.sourcescrollRate0
    }
    Text {
        id: label
        x: 18
        anchors.verticalCenter: parent.verticalCenter
        text: option.text
        color: option.selected ? "#ffffff" : "#b3b3b3"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: option.clicked()
    }
}
