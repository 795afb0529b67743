import QtQuick

// Frame of the dialogs: a background picture (or a plain dark plate), a 30 px title band
// and an optional close cross; dragging the background moves `dragTarget` inside its parent.
Item {
    id: dialogFrame
    implicitWidth: frame.built && frame.built.pictureReady ? frame.built.pictureSize.width : 360
    implicitHeight: frame.built && frame.built.pictureReady ? frame.built.pictureSize.height : 170

    property url backgroundSource
    property string title: ""
    property url closeSource
    property url closeHoverSource
    property bool hasClose: closeSource != ""
    property string fontFamily: "微软雅黑"
    property color fontColor: "#ffffff"
    property int titleSize: 14
    property Item dragTarget: dialogFrame
    default property alias content: body.data

    signal closeClicked()
    signal backgroundPressed()

    // The frame is drawn only once the dialog has been opened: closed dialogs cost no items.
    LazyContent {
        id: frame
        page: dialogFrame
        sourceComponent: Item {
            readonly property bool pictureReady: picture.status === Image.Ready
            readonly property size pictureSize: Qt.size(picture.implicitWidth, picture.implicitHeight)

            Rectangle {
                anchors.fill: parent
                visible: picture.status !== Image.Ready
                radius: 3
                color: "#1a1a1a"
                border.color: "#4f1717"
            }
            // Decoded only while the dialog is open: closed dialogs hold no picture.
            Image {
                id: picture
                objectName: "dialogPicture"
                source: dialogFrame.visible ? dialogFrame.backgroundSource : ""
            }
            // Also keeps presses on the dialog from reaching what lies below it.
            MouseArea {
                readonly property Item area: dialogFrame.dragTarget ? dialogFrame.dragTarget.parent : null
                anchors.fill: parent
                drag.target: dialogFrame.dragTarget
                onPressed: dialogFrame.backgroundPressed()
                drag.minimumX: 0
                drag.minimumY: 0
                drag.maximumX: area ? area.width - dialogFrame.dragTarget.width : 0
                drag.maximumY: area ? area.height - dialogFrame.dragTarget.height : 0
            }
            Rectangle {
                x: 1
                y: 1
                width: parent.width - 2
                height: 29
                color: "#1e1e1e"

                Rectangle {
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: "#761212"
                }
            }
            Text {
                objectName: "dialogTitle"
                x: 12
                y: 15 - height / 2
                width: parent.width - 48
                elide: Text.ElideRight
                text: dialogFrame.title
                color: dialogFrame.fontColor
                font.family: dialogFrame.fontFamily
                font.pixelSize: dialogFrame.titleSize
                font.bold: true
            }
            Image {
                id: closeCross
                objectName: "dialogClose"
                x: parent.width - 14 - width
                y: 15 - height / 2
                width: 10
                height: 10
                visible: dialogFrame.hasClose
                source: closeArea.containsMouse && dialogFrame.closeHoverSource != "" ? dialogFrame.closeHoverSource
                                                                                     : dialogFrame.closeSource
                MouseArea {
                    id: closeArea
                    anchors.fill: parent
                    anchors.margins: -3
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dialogFrame.closeClicked()
                }
            }
        }
    }
    Item {
        id: body
        y: 30
        width: parent.width
        height: parent.height - 30
    }
}
