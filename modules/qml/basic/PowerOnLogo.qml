import QtQuick

// The logo with what the program is doing under it: the whole window until a mouse answers.
Image {
    id: logo

    property alias text: waiting.text
    property bool waiting: true
    property string fontFamily: "微软雅黑"
    property int fontSize: 14

    source: "qrc:/index/modules/img/skin1/index/powerOn.png"

    Text {
        id: waiting
        objectName: "waitingText"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.bottom
        anchors.topMargin: 12
        visible: logo.waiting
        text: "Looking for the mouse …"
        color: "#d9d9d9"
        font.family: logo.fontFamily
        font.pixelSize: logo.fontSize
    }
}
