import QtQuick

// Shown while the screen is locked; the text pulses until the lock ends.
Item {
    id: busyIndicator
    visible: isBusy

    property bool isBusy: false
    // Moves the box down from the centre, clear of what is shown there.
    property real boxOffset: 0

    function setBusy(busy) {
        isBusy = busy
    }

    Rectangle {
        objectName: "busyBox"
        anchors.centerIn: parent
        anchors.verticalCenterOffset: busyIndicator.boxOffset
        width: 176
        height: 34
        radius: 4
        color: "#e01a1a1a"
        border.color: "#4f1717"

        Rectangle {
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            width: 6
            height: 6
            radius: 3
            color: "#b03b3b"
            opacity: loadingText.opacity
        }
        Text {
            id: loadingText
            anchors.centerIn: parent
            text: "LOADING ......"
            color: "#ffffff"
            font.family: "微软雅黑"
            font.pixelSize: 12
            font.letterSpacing: 1

            SequentialAnimation on opacity {
                running: busyIndicator.isBusy
                loops: Animation.Infinite
                NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
                NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
            }
        }
    }
}
