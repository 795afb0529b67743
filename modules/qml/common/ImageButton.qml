import QtQuick

// A picture that reacts to the pointer; the hover picture is optional.
Item {
    id: imageButton

    property url source
    property url hoverSource
    property string text: ""
    property string fontFamily: "微软雅黑"
    property int fontSize: 12
    property bool bold: false
    property color textColor: "#ffffff"
    readonly property bool hovered: area.containsMouse
    readonly property bool pressed: area.pressed

    signal clicked()

    implicitWidth: picture.implicitWidth
    implicitHeight: picture.implicitHeight

    Image {
        id: picture
        anchors.fill: parent
        source: imageButton.hovered && imageButton.hoverSource != "" ? imageButton.hoverSource
                                                                   : imageButton.source
        opacity: imageButton.enabled ? (imageButton.pressed ? 0.8 : 1) : 0.4
    }
    Text {
        anchors.centerIn: parent
        visible: text !== ""
        text: imageButton.text
        color: imageButton.textColor
        font.family: imageButton.fontFamily
        font.pixelSize: imageButton.fontSize
        font.bold: imageButton.bold
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: imageButton.clicked()
    }
}
