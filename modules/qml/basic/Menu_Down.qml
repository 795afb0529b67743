import QtQuick
import "../common"

// Reset menu: one button that asks for the factory reset.
Item {
    id: menuDown
    width: 80
    height: 26

    property url source
    property url hoverSource
    property string text: ""
    property string fontFamily: "微软雅黑"

    signal clicked()

    ImageButton {
        objectName: "resetButton"
        anchors.fill: parent
        source: menuDown.source
        hoverSource: menuDown.hoverSource
        text: menuDown.text
        fontFamily: menuDown.fontFamily
        onClicked: menuDown.clicked()
    }
}
