import QtQuick

// Collapsible page frame: a title bar over a clipped content area.
Item {
    id: frame
    width: 242
    height: 18 + shownHeight

    property string title: "Title"
    property bool isOpen: true
    property int contentHeight: 100
    property int shownHeight: contentHeight
    property int duration: 300
    property color contentColor: "#b31a1a1a"
    readonly property bool animating: collapseAnimation.running || expandAnimation.running
    default property alias content: body.data

    signal openCloseMenu()
    signal clickFrame()

    onOpenCloseMenu: {
        if (animating)
            return
        if (isOpen)
            collapseAnimation.start()
        else
            expandAnimation.start()
    }

    Item {
        id: contentArea
        y: 18
        width: parent.width
        height: Math.max(0, frame.height - 18)
        clip: true

        Rectangle {
            id: body
            width: parent.width
            height: frame.contentHeight
            color: frame.contentColor
        }
    }

    Rectangle {
        id: titleBar
        width: 242
        height: 18
        color: "#1a1a1a"

        Rectangle {
            width: 2
            height: parent.height
            color: frame.isOpen ? "#b03b3b" : "#761212"
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: "#4f1717"
        }
        Text {
            x: 7
            anchors.verticalCenter: parent.verticalCenter
            text: frame.title
            color: "#ffffff"
            font.family: "微软雅黑"
            font.pixelSize: 12
        }
        // A collapsed panel offers to open again.
        Text {
            objectName: "openCloseMark"
            anchors.right: parent.right
            anchors.rightMargin: 7
            anchors.verticalCenter: parent.verticalCenter
            text: frame.isOpen ? "—" : "+"
            color: titleArea.containsMouse ? "#ffffff" : "#b3b3b3"
            font.family: "微软雅黑"
            font.pixelSize: 12
        }
        MouseArea {
            id: titleArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: {
                frame.openCloseMenu()
                frame.clickFrame()
            }
        }
    }

    ParallelAnimation {
        id: collapseAnimation
        NumberAnimation {
            target: body
            property: "y"
            from: 0
            to: -frame.contentHeight
            duration: frame.duration
            easing.type: Easing.OutQuint
        }
        NumberAnimation {
            target: frame
            property: "height"
            from: 18 + frame.shownHeight
            to: 18
            duration: frame.duration
            easing.type: Easing.OutQuint
        }
        onFinished: frame.isOpen = false
    }
    ParallelAnimation {
        id: expandAnimation
        NumberAnimation {
            target: body
            property: "y"
            from: -frame.contentHeight
            to: 0
            duration: frame.duration
            easing.type: Easing.OutQuint
        }
        NumberAnimation {
            target: frame
            property: "height"
            from: 18
            to: 18 + frame.shownHeight
            duration: frame.duration
            easing.type: Easing.OutQuint
        }
        onFinished: frame.isOpen = true
    }
}
