import QtQuick
import "../common"

// Window menu: help, minimise, close.
Row {
    id: menuUp
    spacing: 0

    property url askSource
    property url askHoverSource
    property url minimiseSource
    property url minimiseHoverSource
    property url closeSource
    property url closeHoverSource

    signal btnClicked(int btnIndex)

    ImageButton {
        objectName: "askButton"
        width: 20
        height: 20
        source: menuUp.askSource
        hoverSource: menuUp.askHoverSource
        onClicked: menuUp.btnClicked(2)
    }
    ImageButton {
        objectName: "minimiseButton"
        width: 20
        height: 20
        source: menuUp.minimiseSource
        hoverSource: menuUp.minimiseHoverSource
        onClicked: menuUp.btnClicked(0)
    }
    ImageButton {
        objectName: "closeButton"
        width: 20
        height: 20
        source: menuUp.closeSource
        hoverSource: menuUp.closeHoverSource
        onClicked: menuUp.btnClicked(1)
    }
}
