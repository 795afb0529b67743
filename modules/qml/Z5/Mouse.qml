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

    Item {
        id: frontView
        objectName: "frontView"
        anchors.fill: parent
        visible: !mouseMain.isSide

        Image {
            x: 328
            y: 70
            source: mainIten.sourceMouseFront
        }
        Image {
            objectName: "frontKey0"
            x: 370
            y: 100
            readonly property bool selected: mouseMain.selectKey === 0
            source: selected ? mainIten.frontKeySelSources[0] : mainIten.frontKeySources[0]
        }
        Image {
            objectName: "frontKey1"
            x: 550
            y: 100
            readonly property bool selected: mouseMain.selectKey === 1
            source: selected ? mainIten.frontKeySelSources[1] : mainIten.frontKeySources[1]
        }
        Image {
            objectName: "frontKey2"
            x: 505
            y: 182
            readonly property bool selected: mouseMain.selectKey === 2
            source: selected ? mainIten.frontKeySelSources[2] : mainIten.frontKeySources[2]
        }
        Image {
            objectName: "frontKey3"
            x: 354
            y: 258
            readonly property bool selected: mouseMain.selectKey === 3
            source: selected ? mainIten.frontKeySelSources[3] : mainIten.frontKeySources[3]
        }
        Image {
            objectName: "frontKey4"
            x: 354
            y: 318
            readonly property bool selected: mouseMain.selectKey === 4
            source: selected ? mainIten.frontKeySelSources[4] : mainIten.frontKeySources[4]
        }
        Image {
            objectName: "frontKey5"
            x: 505
            y: 231
            readonly property bool selected: mouseMain.selectKey === 5
            source: selected ? mainIten.frontKeySelSources[5] : mainIten.frontKeySources[5]
        }
        Image {
            objectName: "frontKey6"
            x: 505
            y: 290
            readonly property bool selected: mouseMain.selectKey === 6
            source: selected ? mainIten.frontKeySelSources[6] : mainIten.frontKeySources[6]
        }
        Image {
            objectName: "frontKey7"
            x: 357
            y: 182
            readonly property bool selected: mouseMain.selectKey === 7
            source: selected ? mainIten.frontKeySelSources[7] : mainIten.frontKeySources[7]
        }
    }
    Item {
        id: sideView
        objectName: "sideView"
        anchors.fill: parent
        visible: mouseMain.isSide

        Image {
            x: 295
            y: 180
            source: mainIten.sourceMouseSide
        }
        Image {
            objectName: "sideKey0"
            x: 384
            y: 188
            readonly property bool selected: mouseMain.selectKey === 0
            source: selected ? mainIten.sideKeySelSources[0] : mainIten.sideKeySources[0]
        }
        Image {
            objectName: "sideKey1"
            x: 327
            y: 190
            readonly property bool selected: mouseMain.selectKey === 1
            source: selected ? mainIten.sideKeySelSources[1] : mainIten.sideKeySources[1]
        }
        Image {
            objectName: "sideKey2"
            x: 420
            y: 303
            readonly property bool selected: mouseMain.selectKey === 2
            source: selected ? mainIten.sideKeySelSources[2] : mainIten.sideKeySources[2]
        }
        Image {
            objectName: "sideKey3"
            x: 504
            y: 310
            readonly property bool selected: mouseMain.selectKey === 3
            source: selected ? mainIten.sideKeySelSources[3] : mainIten.sideKeySources[3]
        }
        Image {
            objectName: "sideKey4"
            x: 558
            y: 303
            readonly property bool selected: mouseMain.selectKey === 4
            source: selected ? mainIten.sideKeySelSources[4] : mainIten.sideKeySources[4]
        }
        Image {
            objectName: "sideKey5"
            x: 468
            y: 190
            readonly property bool selected: mouseMain.selectKey === 5
            source: selected ? mainIten.sideKeySelSources[5] : mainIten.sideKeySources[5]
        }
        Image {
            objectName: "sideKey6"
            x: 496
            y: 190
            readonly property bool selected: mouseMain.selectKey === 6
            source: selected ? mainIten.sideKeySelSources[6] : mainIten.sideKeySources[6]
        }
        Image {
            objectName: "sideKey7"
            x: 462
            y: 348
            readonly property bool selected: mouseMain.selectKey === 7
            source: selected ? mainIten.sideKeySelSources[7] : mainIten.sideKeySources[7]
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
