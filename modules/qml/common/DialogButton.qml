import QtQuick

// Text button of the dialogs: dark red, brighter while hovered.
Rectangle {
    id: dialogButton
    width: 88
    height: 25
    color: area.containsMouse ? "#761212" : "#4f1717"
    border.color: "#4e3434"
    radius: 2

    property string text: ""
    property string fontFamily: "微软雅黑"

    signal clicked()

    Text {
        anchors.centerIn: parent
        text: dialogButton.text
        color: "#ffffff"
        font.family: dialogButton.fontFamily
        font.pixelSize: 12
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: dialogButton.clicked()
    }
}
