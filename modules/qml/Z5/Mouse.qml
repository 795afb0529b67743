import QtQuick
import "../common"

// The mouse picture: top or side view, with the edited button highlighted.
Item {
    id: mouseMain
    width: 1000
    height: 640

    property bool isSide: false
    property int selectKey: -1

    signal viewClicked()

    // Button pictures by entry index: x, y in the top view, then in the side view.
    readonly property var frontPositions: [[370, 100], [550, 100], [505, 182], [354, 258], [354, 318],
        [505, 231], [505, 290], [357, 182]]
    readonly property var sidePositions: [[384, 188], [327, 190], [420, 303], [504, 310], [558, 303],
        [468, 190], [496, 190], [462, 348]]

    Item {
        id: frontView
        objectName: "frontView"
        anchors.fill: parent
        visible: !mouseMain.isSide

        // Each view's pictures are decoded once it is first shown, not at start.
        Image {
            x: 328
            y: 70
            source: visible ? mainIten.sourceMouseFront : ""
        }
        Repeater {
            model: 8
            Image {
                objectName: "frontKey" + index
                x: mouseMain.frontPositions[index][0]
                y: mouseMain.frontPositions[index][1]
                source: !visible ? "" : mouseMain.selectKey === index ? mainIten.frontKeySelSources[index]
                                                                      : mainIten.frontKeySources[index]
            }
        }
    }
    Item {
        id: sideView
        objectName: "sideView"
        anchors.fill: parent
        visible: mouseMain.isSide

        // Built when the side view is first shown.
        LazyContent {
            sourceComponent: Item {
                Image {
                    x: 295
                    y: 180
                    source: visible ? mainIten.sourceMouseSide : ""
                }
                Repeater {
                    model: 8
                    Image {
                        objectName: "sideKey" + index
                        x: mouseMain.sidePositions[index][0]
                        y: mouseMain.sidePositions[index][1]
                        source: !visible ? "" : mouseMain.selectKey === index ? mainIten.sideKeySelSources[index]
                                                                              : mainIten.sideKeySources[index]
                    }
                }
            }
        }
    }

    ImageButton {
        id: topViewButton
        objectName: "topViewButton"
        x: 424
        y: 606
        width: 96
        height: 24
        source: mouseMain.isSide ? mainIten.sourceViewBtn : mainIten.sourceViewBtnSel
        hoverSource: mouseMain.isSide ? mainIten.sourceViewBtnHover : mainIten.sourceViewBtnSel
        text: mainIten.mainLang[17]
        fontFamily: mainIten.fontFamily
        textColor: mouseMain.isSide ? "#b3b3b3" : "#ffffff"
        onClicked: {
            mouseMain.isSide = false
            mouseMain.viewClicked()
        }
    }
    ImageButton {
        id: sideViewButton
        objectName: "sideViewButton"
        x: 530
        y: 606
        width: 96
        height: 24
        source: mouseMain.isSide ? mainIten.sourceViewBtnSel : mainIten.sourceViewBtn
        hoverSource: mouseMain.isSide ? mainIten.sourceViewBtnSel : mainIten.sourceViewBtnHover
        text: mainIten.mainLang[18]
        fontFamily: mainIten.fontFamily
        textColor: mouseMain.isSide ? "#ffffff" : "#b3b3b3"
        onClicked: {
            mouseMain.isSide = true
            mouseMain.viewClicked()
        }
    }
}
