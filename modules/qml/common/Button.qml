import QtQuick

Item {
    id: button
    width: 192
    height: 38

    property string textValue: "text"
    signal clicked()

    Rectangle {
        anchors.fill: parent
        color: "#737373"
        opacity: mouseArea.containsMouse ? 1 : 0.1
    }
    Text {
        anchors.centerIn: parent
        text: button.textValue
        color: "#ffffff"
        font.family: "微软雅黑"
        font.pixelSize: 12
    }
    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
