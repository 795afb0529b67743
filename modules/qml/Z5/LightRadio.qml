import QtQuick

// One lighting effect choice: a radio mark and its label.
Item {
    id: radio
    x: 10
    width: 88
    height: 36

    property string text: ""
    property bool selected: false

    signal clicked()

    Image {
        id: mark
        y: (radio.height - height) / 2
        source: radio.selected ? mainIten.sourceRadio1 : mainIten.sourceRadio0
    }
    Text {
        x: 18
        width: radio.width - x
        anchors.verticalCenter: parent.verticalCenter
        text: radio.text
        color: radio.selected ? "#ffffff" : "#b3b3b3"
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
        lineHeight: 0.9
        wrapMode: Text.NoWrap
    }
    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: radio.clicked()
    }
}
