import QtQuick

// Drags the frameless window: every move reports the distance from the press point.
MouseArea {
    id: dragArea

    property point pressPoint: Qt.point(0, 0)

    signal pressedAt()

    onPressed: function (mouse) {
        pressPoint = Qt.point(mouse.x, mouse.y)
        dragArea.pressedAt()
    }
    onPositionChanged: function (mouse) {
        if (!pressed)
            return
        ui_Ctl.onXChanged(mouse.x - pressPoint.x)
        ui_Ctl.onYChanged(mouse.y - pressPoint.y)
    }
}
