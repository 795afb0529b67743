import QtQuick

// The window's backdrop.
Item {
    id: environment
    width: 1000
    height: 640

    property url source

    Rectangle {
        anchors.fill: parent
        visible: backdrop.status !== Image.Ready
        radius: 10
        color: "#141414"
        border.color: "#2b2b2b"
    }
    Image {
        id: backdrop
        anchors.fill: parent
        // Not decoded before the backdrop is first shown, after the first frame.
        source: environment.visible ? environment.source : ""
    }
}
